// The per-amplifier and per-driver sections of a project file: active filter, crossover
// network, enclosure, baffle and the common housing. Readers keep every value they store inside
// the ranges that later users index with.
#pragma once

#include "foundation/my_ini_file.h"
#include "model/einbau.h"
#include "model/projekt.h"
#include "model/schallwand.h"
#include "model/weiche.h"

#include <string>

namespace tavrel {

/// Highest node number on the network grid; free wires to higher nodes are read as this node.
constexpr int MaxWeicheNode = WeicheNodes - 1;
/// Driver parts may name driver slots 0..8; other numbers are read as the nearest of these.
constexpr int MaxChassisNr = ChassisSlots - 1;

void WriteAktFilter(const TAktFilter& filter, TMyIniFile& store, const std::string& section);
void ReadAktFilter(TAktFilter& filter, TMyIniFile& store, const std::string& section);

void WriteWeiche(const TWeiche& weiche, TMyIniFile& store, const std::string& section);
/// Resets the network, then reads its slots. Part types outside 0..6, and types other than
/// wire in the free-wire slots, read as empty slots.
void ReadWeiche(TWeiche& weiche, TMyIniFile& store, const std::string& section);

void WriteGemGeh(const TGemGeh& housing, TMyIniFile& store);
void ReadGemGeh(TGemGeh& housing, TMyIniFile& store);

void WriteEinbau(const TEinbau& einbau, TMyIniFile& store, const std::string& section);
/// Reads either the explicit air-load and Q group or the damping group, as mbQExpl says; the
/// other group keeps its content.
void ReadEinbau(TEinbau& einbau, TMyIniFile& store, const std::string& section);

void WriteSchallwand(const TSchallwand& baffle, TMyIniFile& store, const std::string& section);
void ReadSchallwand(TSchallwand& baffle, TMyIniFile& store, const std::string& section,
                    int version);

} // namespace tavrel
