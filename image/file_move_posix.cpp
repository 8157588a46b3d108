#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include "image/file_move.h"

bool MoveFileOver(const char* from, const char* to) {
  struct stat old_file;
  if (stat(to, &old_file) == 0 && chmod(from, old_file.st_mode & 07777) != 0) return false;
  return rename(from, to) == 0;
}

bool RemoveFile(const char* path) { return unlink(path) == 0; }
