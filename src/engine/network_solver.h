// A dense complex linear system with its right-hand side as the last column, solved by
// Gaussian elimination with partial pivoting. The network job refills and solves one such
// system per grid frequency, so its storage is kept and reused.
#pragma once

#include "foundation/complex.h"

#include <vector>

namespace tavrel {

class LinearSystem {
public:
    /// Sets the number of unknowns n (n rows, n + 1 columns) and zeroes every entry.
    /// Allocates only when n exceeds every size used before.
    void reset(int n);
    /// Makes this an exact copy of other without allocating when the size is known.
    void copyFrom(const LinearSystem& other);

    int size() const { return m_n; }
    TComplex& at(int row, int column) { return m_data[index(row, column)]; }
    const TComplex& at(int row, int column) const { return m_data[index(row, column)]; }
    TComplex& rhs(int row) { return at(row, m_n); }

    /// Solves in place; afterwards rhs(i) holds unknown i. An unknown whose pivot is exactly
    /// 0 (a part of the circuit that nothing determines) is taken as its right-hand side
    /// over 1e-100 instead of failing; the caller checks the values for finiteness.
    void solve();
    const TComplex& solution(int i) const { return at(i, m_n); }

private:
    std::size_t index(int row, int column) const {
        return static_cast<std::size_t>(row) * static_cast<std::size_t>(m_n + 1) +
               static_cast<std::size_t>(column);
    }
    int pivotRow(int column) const;
    void swapRows(int a, int b);
    void eliminateBelow(int pivot);
    void substituteBackward();

    int m_n = 0;
    std::vector<TComplex> m_data;
    std::vector<int> m_columns; ///< non-zero columns of the current pivot row
};

} // namespace tavrel
