// What pasted text means: every non-empty line a location (a URL of a scheme Windows
// knows, with a host where the scheme has one), each to become a favorite named after
// it; or nothing at all when a line is not one.
#pragma once
#include "dnd/DroppedLinks.h"
#include <optional>
#include <string>
#include <vector>

std::optional<std::vector<DroppedLink>> LinksFromPastedText(const std::wstring& text);
