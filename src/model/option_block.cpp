#include "model/option_block.h"

#include <cmath>
#include <cstddef>
#include <string>

namespace tavrel {

namespace {

constexpr std::array<std::uint32_t, 7> DefaultAmpColors{
    Rgb(128, 0, 0),     Rgb(128, 0, 0), Rgb(255, 0, 255), Rgb(255, 128, 0),
    Rgb(128, 128, 255), Rgb(0, 255, 0), Rgb(176, 176, 0)};
constexpr std::array<std::uint32_t, 9> DefaultChassisColors{
    Rgb(0, 0, 0),     Rgb(0, 0, 255),   Rgb(0, 223, 0),   Rgb(255, 0, 0),  Rgb(0, 192, 192),
    Rgb(192, 192, 0), Rgb(192, 0, 192), Rgb(80, 80, 160), Rgb(80, 160, 80)};
constexpr std::array<std::uint32_t, 7> DefaultDirectionColors{
    Rgb(0, 0, 0),       Rgb(192, 0, 0),     Rgb(32, 160, 0),   Rgb(32, 32, 192),
    Rgb(192, 160, 160), Rgb(160, 208, 160), Rgb(160, 160, 208)};

constexpr int AmpColorsInFile = 7;
constexpr int ChassisColorsInFile = 9;
constexpr int DirectionColorsInFile = 10;

constexpr std::array<std::int32_t, 6> DefaultPar{10, 90, 25, 90, 10, 10};
constexpr double DefaultFMin = 20, DefaultFMax = 20000;
constexpr std::int32_t DefaultSz = 126;
constexpr std::int32_t FallbackSz = 84; // an out-of-range point count falls back to this

template <std::size_t N, std::size_t M>
void copyPrefix(std::array<std::uint32_t, N>& target, const std::array<std::uint32_t, M>& from) {
    static_assert(M <= N);
    for (std::size_t i = 0; i < M; ++i) {
        target[i] = from[i];
    }
}

/// Reads up to `count` colours and replaces only the entries that were read.
template <std::size_t N>
void readColorList(TMyIniFile& store, const char* key, int count,
                   std::array<std::uint32_t, N>& colors) {
    std::array<std::int32_t, N> items{};
    const int read = store.ReadIntList(OptionSection, key, count, 0, items.data());
    for (int i = 0; i < read; ++i) {
        colors[static_cast<std::size_t>(i)] =
            static_cast<std::uint32_t>(items[static_cast<std::size_t>(i)]);
    }
}

template <std::size_t N>
void writeColorList(TMyIniFile& store, const char* key, int count,
                    const std::array<std::uint32_t, N>& colors) {
    std::array<std::int32_t, N> items{};
    for (std::size_t i = 0; i < N; ++i) {
        items[i] = static_cast<std::int32_t>(colors[i]);
    }
    store.WriteIntList(OptionSection, key, count, 0, items.data());
}

double readFiniteFloat(TMyIniFile& store, const char* key, double def) {
    const double value = store.ReadFloat(OptionSection, key, def);
    return std::isfinite(value) ? value : def;
}

std::string parKey(std::size_t index) {
    return "Par" + std::to_string(index + 1);
}

void validateGrid(TOptionBlock& option) {
    const bool usable = option.fMin >= 10 && option.fMin <= 1000 && option.fMin < option.fMax &&
                        option.fMax >= 1000 && option.fMax < 100000;
    if (!usable) {
        option.fMin = DefaultFMin;
        option.fMax = DefaultFMax;
    }
    // Every point count the project properties accept must survive a save and a load, so the
    // upper limit is the grid's, not the 250 points that older files were limited to.
    if (option.sz < MinGridPoints || option.sz > MaxGridPoints) {
        option.sz = FallbackSz;
    }
}

} // namespace

void SetDefaultColors(TOptionBlock& option) {
    copyPrefix(option.ColorSetAmps, DefaultAmpColors);
    copyPrefix(option.ColorSetChassis, DefaultChassisColors);
    copyPrefix(option.ColorSetRichtungen, DefaultDirectionColors);
}

void ReadOptionBlock(TMyIniFile& store, TOptionBlock& option) {
    SetDefaultColors(option);
    readColorList(store, "ColorSetAmps", AmpColorsInFile, option.ColorSetAmps);
    readColorList(store, "ColorSetChassis", ChassisColorsInFile, option.ColorSetChassis);
    readColorList(store, "ColorSetRichtungen", DirectionColorsInFile, option.ColorSetRichtungen);
    for (std::size_t i = 0; i < option.Par.size(); ++i) {
        option.Par[i] = store.ReadInteger(OptionSection, parKey(i), DefaultPar[i]);
    }
    option.fMin = readFiniteFloat(store, "fMin", DefaultFMin);
    option.fMax = readFiniteFloat(store, "fMax", DefaultFMax);
    option.sz = store.ReadInteger(OptionSection, "sz", DefaultSz);
    validateGrid(option);
    option.glatt_a = readFiniteFloat(store, "glatt_a", 0.24);
    option.glatt_i = readFiniteFloat(store, "glatt_i", 0.18);
    option.dBMin = readFiniteFloat(store, "dBMin", 40);
    option.dBMax = readFiniteFloat(store, "dBMax", 110);
    option.AfMin = readFiniteFloat(store, "AfMin", 20);
    option.AfMax = readFiniteFloat(store, "AfMax", 20000);
    option.ImpMax = readFiniteFloat(store, "ImpMax", 70);
}

void WriteOptionBlock(TMyIniFile& store, const TOptionBlock& option) {
    writeColorList(store, "ColorSetAmps", AmpColorsInFile, option.ColorSetAmps);
    writeColorList(store, "ColorSetChassis", ChassisColorsInFile, option.ColorSetChassis);
    writeColorList(store, "ColorSetRichtungen", DirectionColorsInFile, option.ColorSetRichtungen);
    for (std::size_t i = 0; i < option.Par.size(); ++i) {
        store.WriteInteger(OptionSection, parKey(i), option.Par[i]);
    }
    store.WriteFloat(OptionSection, "fMin", option.fMin);
    store.WriteFloat(OptionSection, "fMax", option.fMax);
    store.WriteInteger(OptionSection, "sz", option.sz);
    store.WriteFloat(OptionSection, "glatt_a", option.glatt_a);
    store.WriteFloat(OptionSection, "glatt_i", option.glatt_i);
    store.WriteFloat(OptionSection, "dBMin", option.dBMin);
    store.WriteFloat(OptionSection, "dBMax", option.dBMax);
    store.WriteFloat(OptionSection, "AfMin", option.AfMin);
    store.WriteFloat(OptionSection, "AfMax", option.AfMax);
    store.WriteFloat(OptionSection, "ImpMax", option.ImpMax);
}

} // namespace tavrel
