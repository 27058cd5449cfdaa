// Whole files as bytes, for the readers of browser bookmark files.
#pragma once
#include <windows.h>
#include <functional>
#include <string>

// Fills `bytes` (sized to what is expected) from the start, chunk by chunk: `read` puts
// at most `want` bytes at `into` and says how many it put there, or returns false on an
// error. A read that gives nothing ends the data early (a file cut short meanwhile:
// `bytes` keeps what was read); a read that fails is an error, never the end.
using ChunkReader = std::function<bool(char* into, DWORD want, DWORD& got)>;
bool ReadChunks(std::string& bytes, const ChunkReader& read);

// Reads the whole file, opened for reading while others may write it (a running browser
// replaces its files whole). False when it cannot be opened or read (a share that drops
// out half-way included), or is larger than `limit` bytes; `failure` then says why, in
// the system's words.
bool ReadFileBytes(const std::wstring& path, std::string& bytes, std::wstring& failure,
                   size_t limit = size_t{1} << 30);

// The system's text for a Win32 error code, without the line end it comes with.
std::wstring SystemErrorText(DWORD error);
