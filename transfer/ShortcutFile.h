// Internet shortcut (.url) files: one favorite per file, named after the favorite,
// an INI-style text whose [InternetShortcut] section holds the location as URL.
//
// The URL line is 8-bit text in the ANSI code page, which every reader understands.
// A location the code page cannot represent is also kept, losslessly, as UTF-7 in an
// [InternetShortcut.W] section, as the Windows shell does; readers prefer that one.
// Both writers put no control character into a value, whatever the location holds: each
// one is written as its percent escape ("%0D%0A"), so a line break inside a location can
// never add a key (an IconFile on someone's share) to the file.
#pragma once
#include <optional>
#include <string>

// folder + "\" + name + ".url"; the folder is passed without a trailing backslash.
std::wstring ShortcutPathFor(const std::wstring& folder, const std::wstring& name);

// Creates the file or replaces only its URL values, keeping every other section and key.
// Returns whether the ANSI URL line was written; callers may ignore it.
bool WriteShortcutUrl(const std::wstring& path, const std::wstring& location);

// The whole location held by the file (no length limit); empty when the file, the
// section or the key is missing.
std::wstring ReadShortcutUrl(const std::wstring& path);

// The location held by a shortcut file's bytes (a virtual file of a drag or the
// clipboard), read as ReadShortcutUrl reads a file; empty when there is none.
std::wstring ShortcutUrlFromContents(const std::string& bytes);

// The bytes of a shortcut file for drag and drop:
// "[InternetShortcut]\r\nURL = " + the location in the ANSI code page + "\r\n",
// followed by the same two lines for [InternetShortcut.W] with the UTF-7 form when the
// location is not representable in the ANSI code page.
std::string ShortcutFileContents(const std::wstring& location);

// The favorite name of a dropped file path ending in ".url" (any case), or nothing
// when the path is not a shortcut or the name would be empty.
std::optional<std::wstring> ShortcutNameFromPath(const std::wstring& path);

// Whether `text` survives a round trip through the ANSI code page unchanged.
bool IsAnsiRepresentable(const std::wstring& text);

// UTF-7 as the shell writes it into [InternetShortcut.W] values, and back. Decoding
// gives nothing for text that is not valid UTF-7.
std::string ToUtf7(const std::wstring& text);
std::optional<std::wstring> FromUtf7(const std::string& text);
