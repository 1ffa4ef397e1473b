#pragma once
// The commands of lumetra-bimf. Each answers the process exit status:
// 0 clean, 1 problems found (each printed on its own line), 2 the file cannot
// be opened or the command is wrong.

#include <string>
#include <vector>

constexpr int kExitClean = 0;
constexpr int kExitProblems = 1;
constexpr int kExitUnusable = 2;

int CommandInfo(const std::string& dataPath);
int CommandFrames(const std::string& dataPath);
int CommandExtract(const std::string& dataPath, const std::string& frame, const std::string& outPath);
int CommandFind(const std::string& dataPath, const std::string& km, const std::string& m);
int CommandCheck(const std::string& dataPath);
int CommandRepair(const std::string& dataPath);
int CommandPack(const std::string& dataPath, const std::vector<std::string>& arguments);
