// The commands of tavrel-cli. Each command lives in its own file and is listed in the command
// table of main.cpp; it gets the arguments after its name and returns the exit status.
#pragma once

#include <cstdio>
#include <span>
#include <string_view>

namespace tavrel::cli {

/// Exit statuses shared by all commands.
constexpr int ExitOk = 0;
constexpr int ExitFailed = 1; ///< the command could not do its work (unreadable file, ...)
constexpr int ExitUsage = 2;  ///< the command line itself was wrong

using Arguments = std::span<const std::string_view>;

int RunConvert(Arguments args);
void PrintConvertHelp(std::FILE* out);
int RunCalc(Arguments args);
void PrintCalcHelp(std::FILE* out);
int RunExport(Arguments args);
void PrintExportHelp(std::FILE* out);
int RunJudge(Arguments args);
void PrintJudgeHelp(std::FILE* out);
int RunOptimize(Arguments args);
void PrintOptimizeHelp(std::FILE* out);
int RunImport(Arguments args);
void PrintImportHelp(std::FILE* out);
int RunFit(Arguments args);
void PrintFitHelp(std::FILE* out);
int RunFitTs(Arguments args);
void PrintFitTsHelp(std::FILE* out);
int RunCalculate(Arguments args);
void PrintCalculateHelp(std::FILE* out);
int RunTolerance(Arguments args);
void PrintToleranceHelp(std::FILE* out);
int RunParts(Arguments args);
void PrintPartsHelp(std::FILE* out);
int RunReport(Arguments args);
void PrintReportHelp(std::FILE* out);
int RunDsp(Arguments args);
void PrintDspHelp(std::FILE* out);
int RunRender(Arguments args);
void PrintRenderHelp(std::FILE* out);

} // namespace tavrel::cli
