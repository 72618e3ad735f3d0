// Gaussian elimination of the network equations.
#include "engine/network_solver.h"

#include <algorithm>
#include <cmath>

namespace tavrel {
namespace {

/// |re| + |im|: orders pivots like the modulus for practical purposes, without the
/// underflow of squaring tiny entries.
double magnitude(TComplex z) {
    return std::fabs(z.Re) + std::fabs(z.Im);
}

bool isZero(TComplex z) {
    return z.Re == 0.0 && z.Im == 0.0;
}

constexpr TComplex TinyPivot{1e-100, 0.0};

} // namespace

void LinearSystem::reset(int n) {
    m_n = n;
    const std::size_t needed = static_cast<std::size_t>(n) * static_cast<std::size_t>(n + 1);
    if (m_data.size() < needed) {
        m_data.resize(needed);
        m_columns.resize(static_cast<std::size_t>(n) + 1);
    }
    std::fill_n(m_data.begin(), static_cast<std::ptrdiff_t>(needed), TComplex{});
}

void LinearSystem::copyFrom(const LinearSystem& other) {
    m_n = other.m_n;
    const std::size_t needed = static_cast<std::size_t>(m_n) * static_cast<std::size_t>(m_n + 1);
    if (m_data.size() < needed) {
        m_data.resize(needed);
        m_columns.resize(static_cast<std::size_t>(m_n) + 1);
    }
    std::copy_n(other.m_data.begin(), static_cast<std::ptrdiff_t>(needed), m_data.begin());
}

int LinearSystem::pivotRow(int column) const {
    int best = column;
    double bestMagnitude = magnitude(at(column, column));
    for (int row = column + 1; row < m_n; ++row) {
        const double candidate = magnitude(at(row, column));
        if (candidate > bestMagnitude) {
            best = row;
            bestMagnitude = candidate;
        }
    }
    return best;
}

void LinearSystem::swapRows(int a, int b) {
    std::swap_ranges(&at(a, 0), &at(a, 0) + m_n + 1, &at(b, 0));
}

void LinearSystem::eliminateBelow(int pivot) {
    const TComplex* pivotRowData = &at(pivot, 0);
    const TComplex pivotValue = pivotRowData[pivot];
    // The equations are sparse: only the pivot row's non-zero columns change other rows.
    int count = 0;
    for (int column = pivot + 1; column <= m_n; ++column) {
        if (!isZero(pivotRowData[column])) {
            m_columns[static_cast<std::size_t>(count++)] = column;
        }
    }
    for (int row = pivot + 1; row < m_n; ++row) {
        TComplex* rowData = &at(row, 0);
        if (isZero(rowData[pivot])) {
            continue;
        }
        const TComplex factor = CDiv(rowData[pivot], pivotValue);
        rowData[pivot] = TComplex{};
        for (int j = 0; j < count; ++j) {
            const int column = m_columns[static_cast<std::size_t>(j)];
            rowData[column] = CSub(rowData[column], CMul(factor, pivotRowData[column]));
        }
    }
}

void LinearSystem::substituteBackward() {
    for (int i = m_n - 1; i >= 1; --i) {
        const TComplex pivotValue = at(i, i);
        if (isZero(pivotValue)) {
            continue;
        }
        const TComplex value = rhs(i);
        if (isZero(value)) {
            continue;
        }
        for (int row = i - 1; row >= 0; --row) {
            if (!isZero(at(row, i))) {
                rhs(row) = CSub(rhs(row), CMul(CDiv(at(row, i), pivotValue), value));
            }
        }
    }
    for (int i = 0; i < m_n; ++i) {
        if (isZero(at(i, i))) {
            at(i, i) = TinyPivot;
        }
        rhs(i) = CDiv(rhs(i), at(i, i));
    }
}

void LinearSystem::solve() {
    for (int i = 0; i < m_n; ++i) {
        const int p = pivotRow(i);
        if (p != i) {
            swapRows(i, p);
        }
        if (!isZero(at(i, i))) {
            eliminateBelow(i);
        }
    }
    substituteBackward();
}

} // namespace tavrel
