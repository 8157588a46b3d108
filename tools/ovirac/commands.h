// The subcommands of ovirac. Each returns the process exit status:
// 0 success, 1 the operation failed, 2 the command line was wrong.
#pragma once

#include "image/path.h"

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

int RunInfo(int argc, PathChar** argv);
int RunConvert(int argc, PathChar** argv);
int RunComment(int argc, PathChar** argv);
int RunTurn(int argc, PathChar** argv);
int RunTransform(int argc, PathChar** argv);
int RunAdjust(int argc, PathChar** argv);
int RunList(int argc, PathChar** argv);
int RunExif(int argc, PathChar** argv);
int RunTexts(int argc, PathChar** argv);
void PrintUsage();
