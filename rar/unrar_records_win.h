// The UnRAR library's published interface: the record layouts, constants
// and callback messages of unrar64.dll, shared by the DLL we build and by
// the viewer that loads whichever unrar64.dll it finds.
#pragma once

#include <windows.h>

#include <cstdint>

#include "rar/rar_archive_flags.h"  // the archive flags of RAROpenArchiveDataEx.Flags

constexpr int ERAR_SUCCESS = 0;
constexpr int ERAR_END_ARCHIVE = 10;
constexpr int ERAR_NO_MEMORY = 11;
constexpr int ERAR_BAD_DATA = 12;
constexpr int ERAR_BAD_ARCHIVE = 13;
constexpr int ERAR_UNKNOWN_FORMAT = 14;
constexpr int ERAR_EOPEN = 15;
constexpr int ERAR_ECREATE = 16;
constexpr int ERAR_ECLOSE = 17;
constexpr int ERAR_EREAD = 18;
constexpr int ERAR_EWRITE = 19;
constexpr int ERAR_SMALL_BUF = 20;
constexpr int ERAR_UNKNOWN = 21;
constexpr int ERAR_MISSING_PASSWORD = 22;
constexpr int ERAR_EREFERENCE = 23;
constexpr int ERAR_BAD_PASSWORD = 24;

constexpr unsigned RAR_OM_LIST = 0;
constexpr unsigned RAR_OM_EXTRACT = 1;
constexpr unsigned RAR_OM_LIST_INCSPLIT = 2;

constexpr int RAR_SKIP = 0;
constexpr int RAR_TEST = 1;
constexpr int RAR_EXTRACT = 2;

constexpr LPARAM RAR_VOL_ASK = 0;
constexpr LPARAM RAR_VOL_NOTIFY = 1;

enum UnrarCallbackMessage : UINT {
  UCM_CHANGEVOLUME = 0,
  UCM_PROCESSDATA = 1,
  UCM_NEEDPASSWORD = 2,
  UCM_CHANGEVOLUMEW = 3,
  UCM_NEEDPASSWORDW = 4,
  UCM_LARGEDICT = 5,
};


// Member flags of RARHeaderDataEx.Flags.
constexpr unsigned RHDF_SPLITBEFORE = 0x01;
constexpr unsigned RHDF_SPLITAFTER = 0x02;
constexpr unsigned RHDF_ENCRYPTED = 0x04;
constexpr unsigned RHDF_SOLID = 0x10;
constexpr unsigned RHDF_DIRECTORY = 0x20;

// Returns 0 to go on, -1 to stop the operation.
using UNRARCALLBACK = int(CALLBACK*)(UINT msg, LPARAM user_data, LPARAM p1, LPARAM p2);

struct RARHeaderDataEx {
  char ArcName[1024];
  wchar_t ArcNameW[1024];
  char FileName[1024];
  wchar_t FileNameW[1024];
  unsigned int Flags;
  unsigned int PackSize;
  unsigned int PackSizeHigh;
  unsigned int UnpSize;
  unsigned int UnpSizeHigh;
  unsigned int HostOS;
  unsigned int FileCRC;
  unsigned int FileTime;  // DOS date (high word) and time (low word), local time
  unsigned int UnpVer;
  unsigned int Method;
  unsigned int FileAttr;
  char* CmtBuf;
  unsigned int CmtBufSize;
  unsigned int CmtSize;
  unsigned int CmtState;
  unsigned int DictSize;
  unsigned int HashType;
  char Hash[32];
  unsigned int RedirType;
  wchar_t* RedirName;
  unsigned int RedirNameSize;
  unsigned int DirTarget;
  unsigned int MtimeLow;
  unsigned int MtimeHigh;
  unsigned int CtimeLow;
  unsigned int CtimeHigh;
  unsigned int AtimeLow;
  unsigned int AtimeHigh;
  unsigned int Reserved[988];
};

struct RAROpenArchiveDataEx {
  char* ArcName;
  wchar_t* ArcNameW;
  unsigned int OpenMode;
  unsigned int OpenResult;
  char* CmtBuf;
  unsigned int CmtBufSize;
  unsigned int CmtSize;
  unsigned int CmtState;
  unsigned int Flags;
  UNRARCALLBACK Callback;
  LPARAM UserData;
  unsigned int OpFlags;
  wchar_t* CmtBufW;
  unsigned int Reserved[25];
};

// The four functions, as looked up by name after loading the library.
using RarOpenArchiveExFn = HANDLE(WINAPI*)(RAROpenArchiveDataEx* archive_data);
using RarReadHeaderExFn = int(WINAPI*)(HANDLE archive, RARHeaderDataEx* header_data);
using RarProcessFileWFn = int(WINAPI*)(HANDLE archive, int operation, wchar_t* dest_path, wchar_t* dest_name);
using RarCloseArchiveFn = int(WINAPI*)(HANDLE archive);
