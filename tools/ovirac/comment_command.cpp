// ovirac comment: the comment stored in a PNG or JPEG file, shown and
// changed with the viewer's own comment editor operations.
#include <cstdio>
#include <string>

#include "codecs/jpeg_comment.h"
#include "codecs/png_comment.h"
#include "image/format_detect.h"
#include "image/file_move.h"
#include "tools/ovirac/cli_text.h"
#include "tools/ovirac/commands.h"

namespace {

enum class CommentAction { kShow, kSet, kRemove };

struct CommentOptions {
  const PathChar* path = nullptr;
  CommentAction action = CommentAction::kShow;
  std::string text;
};

// The two formats whose comment the viewer edits, each with its pair of
// operations.
struct CommentFormatOperations {
  Status (*read)(const PathChar* path, std::string* text);
  int (*replace)(const PathChar* source, const PathChar* output, std::string_view text, int* flag,
                 Status* why);
};

// Anything that is not a JPEG file goes to the PNG operations, which
// refuse what is no PNG either with their own status.
CommentFormatOperations OperationsFor(const PathChar* path) {
  if (DetectFileFormat(path) == kFormatJpeg) return {ReadJpegComment, ReplaceJpegComment};
  return {ReadPngComment, ReplacePngComment};
}

bool Is(const PathChar* arg, const PathChar* word) { return PathString(arg) == word; }

int ParseCommentArguments(int argc, PathChar** argv, CommentOptions* options) {
  for (int i = 0; i < argc; ++i) {
    if (Is(argv[i], OVIRA_PATH("--set")) || Is(argv[i], OVIRA_PATH("--remove"))) {
      if (options->action != CommentAction::kShow) {
        std::fputs("ovirac: comment takes one of --set and --remove\n", stderr);
        return kExitUsage;
      }
      options->action =
          Is(argv[i], OVIRA_PATH("--set")) ? CommentAction::kSet : CommentAction::kRemove;
      if (options->action == CommentAction::kRemove) continue;
      if (i + 1 >= argc) {
        std::fputs("ovirac: --set needs the comment text\n", stderr);
        return kExitUsage;
      }
      options->text = ArgumentText(argv[++i]);
    } else if (argv[i][0] == '-' || options->path) {
      std::fprintf(stderr, "ovirac: comment does not take '%s'\n", PathToUtf8(argv[i]).c_str());
      return kExitUsage;
    } else {
      options->path = argv[i];
    }
  }
  if (!options->path) {
    std::fputs("ovirac: comment needs a file\n", stderr);
    return kExitUsage;
  }
  return kExitOk;
}

// The text as the viewer's comment box shows it, line ends and all.
int ShowComment(const PathChar* path, const CommentFormatOperations& format) {
  std::string text;
  const Status status = format.read(path, &text);
  if (status != Status::kOk) {
    PrintStatus(status);
    return kExitFailed;
  }
  if (!text.empty()) {
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fputc('\n', stdout);
  }
  return kExitOk;
}

// The changed copy is written beside the file and then renamed over it, so
// a failure at any point leaves the file as it was.
int RewriteComment(const CommentOptions& options, const CommentFormatOperations& format) {
  const PathString staged = PathString(options.path) + OVIRA_PATH(".ovirac-new");
  int flag = options.action == CommentAction::kSet ? 1 : 0;
  Status why = Status::kOk;
  const int result = format.replace(options.path, staged.c_str(), options.text, &flag, &why);
  if (result == kCommentNothingToDo) return kExitOk;
  if (result == kCommentWritten && MoveFileOver(staged.c_str(), options.path)) return kExitOk;
  RemoveFile(staged.c_str());
  PrintStatus(result == kCommentWritten ? Status::kCannotWrite : why);
  return kExitFailed;
}

}  // namespace

int RunComment(int argc, PathChar** argv) {
  CommentOptions options;
  if (int rc = ParseCommentArguments(argc, argv, &options); rc != kExitOk) return rc;
  const CommentFormatOperations format = OperationsFor(options.path);
  if (options.action == CommentAction::kShow) return ShowComment(options.path, format);
  return RewriteComment(options, format);
}
