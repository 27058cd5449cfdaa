#include "TempDbFile.h"
#include "store/TextConv.h"
#include <fstream>
#include <iterator>

std::string TempDbFile::Utf8Path() const { return ToUtf8(m_path); }

std::string TempDbFile::ReadFile(const std::wstring& path) {
    std::ifstream in(path.c_str(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void TempDbFile::WriteFile(const std::wstring& path, const std::string& bytes) {
    std::ofstream out(path.c_str(), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}
