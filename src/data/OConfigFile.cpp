#include "data/OConfigFile.h"

#include <algorithm>
#include <cerrno>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "data/AtomicFile.h"
#include "data/Scrambler.h"

namespace {

// Whitespace of the format: NUL, tab, line feed and space. Carriage return is
// not whitespace; the loaders take it out of the text.
bool IsSpace(char c) {
    return c == '\0' || c == '\t' || c == '\n' || c == ' ';
}

// Advances over whitespace and "//" comments. Never examines or passes the
// last byte of the text.
size_t Skip(const std::string& text, size_t pos) {
    if (text.empty()) {
        return pos;
    }
    const size_t last = text.size() - 1;
    while (pos < last) {
        if (IsSpace(text[pos])) {
            ++pos;
        } else if (text[pos] == '/' && text[pos + 1] == '/') {
            size_t lineFeed = text.find('\n', pos);
            pos = (lineFeed == std::string::npos || lineFeed > last) ? last : lineFeed;
        } else {
            break;
        }
    }
    return pos;
}

// A name runs to the next whitespace or "="; a lone "}" is a name of its own.
std::string ReadName(const std::string& text, size_t& pos) {
    pos = Skip(text, pos);
    const size_t start = pos;
    while (pos < text.size() && !IsSpace(text[pos]) && text[pos] != '=') {
        ++pos;
        if (pos - start == 1 && text[start] == '}') {
            break;
        }
    }
    return text.substr(start, pos - start);
}

enum class EntryKind { Malformed, EndOfText, BlockHeader, ArrayBlock, PlainValue };

// Looks at what follows a name. On return pos is where the value starts
// (plain value, array block) or just after the "{" (block header).
EntryKind Classify(const std::string& text, size_t& pos) {
    pos = Skip(text, pos);
    if (pos >= text.size()) {
        return EntryKind::EndOfText;
    }
    if (text[pos] != '=') {
        return EntryKind::Malformed;
    }
    pos = Skip(text, pos + 1);
    if (pos >= text.size()) {
        return EntryKind::EndOfText;
    }
    if (text[pos] != '{') {
        return EntryKind::PlainValue;
    }
    const size_t inside = Skip(text, pos + 1);
    if (inside >= text.size()) {
        return EntryKind::EndOfText;
    }
    if (text[inside] == '[') {
        pos = inside;
        return EntryKind::ArrayBlock;
    }
    pos = pos + 1;
    return EntryKind::BlockHeader;
}

// A value as read: its raw text and whether the text ended before the value
// was closed.
struct RawValue {
    std::string text;
    bool unclosed = false;
};

RawValue ReadToClosing(const std::string& text, size_t& pos, size_t closing) {
    RawValue value;
    if (closing >= text.size()) {
        value.text = text.substr(pos);
        value.text += text[pos] == '[' ? ']' : '"';
        value.unclosed = true;
        pos = text.size();
    } else {
        value.text = text.substr(pos, closing + 1 - pos);
        pos = closing + 1;
    }
    return value;
}

// Index of the quote closing the quoted value at pos. A backslash escapes the
// byte after it, so an escaped backslash does not escape a following quote.
size_t FindClosingQuote(const std::string& text, size_t pos) {
    size_t i = pos + 1;
    while (i < text.size()) {
        if (text[i] == '\\') {
            i += 2;
        } else if (text[i] == '"') {
            return i;
        } else {
            ++i;
        }
    }
    return std::string::npos;
}

RawValue ReadPlainValue(const std::string& text, size_t& pos) {
    pos = Skip(text, pos);
    if (pos >= text.size()) {
        return RawValue();
    }
    if (text[pos] == '[') {
        return ReadToClosing(text, pos, text.find(']', pos + 1));
    }
    if (text[pos] == '"') {
        return ReadToClosing(text, pos, FindClosingQuote(text, pos));
    }
    const size_t start = pos;
    while (pos < text.size() && !IsSpace(text[pos]) && text[pos] != '}') {
        ++pos;
    }
    RawValue value;
    value.text = text.substr(start, pos - start);
    value.unclosed = pos >= text.size();
    return value;
}

// Collects the bracketed rows of an array block up to the "}" outside
// brackets; everything between rows (commas, whitespace, comments) is dropped.
RawValue ReadArrayBlock(const std::string& text, size_t& pos) {
    RawValue value;
    value.text = "{";
    bool insideRow = false;
    while (pos < text.size()) {
        const char c = text[pos];
        if (insideRow) {
            value.text += c;
            insideRow = c != ']';
            ++pos;
        } else if (c == '}') {
            ++pos;
            value.text += '}';
            return value;
        } else if (c == '[') {
            value.text += c;
            insideRow = true;
            ++pos;
        } else if (c == '/' && pos + 1 < text.size() && text[pos + 1] == '/') {
            const size_t lineFeed = text.find('\n', pos);
            pos = lineFeed == std::string::npos ? text.size() : lineFeed;
        } else {
            ++pos;
        }
    }
    value.unclosed = true;
    return value;
}

// Drops the last component of a block prefix such as "A.B." (giving "A.").
void CloseBlock(std::string& prefix) {
    if (prefix.size() < 2) {
        prefix.clear();
        return;
    }
    const size_t dot = prefix.rfind('.', prefix.size() - 2);
    if (dot == std::string::npos) {
        prefix.clear();
    } else {
        prefix.resize(dot + 1);
    }
}

// The raw value without its first and last byte (its delimiters).
std::string Inner(const std::string& raw) {
    return raw.size() < 2 ? std::string() : raw.substr(1, raw.size() - 2);
}

// Decimal text to int as the C library reads it, with out-of-range numbers
// held at the int limits instead of wrapping.
int TextToInt(const char* text) {
    const long value = std::strtol(text, nullptr, 10);
    return static_cast<int>(std::clamp<long>(value, INT_MIN, INT_MAX));
}

// Text to double narrowed to float; magnitudes beyond float become infinity.
float TextToFloat(const char* text) {
    const double value = std::strtod(text, nullptr);
    if (value > FLT_MAX) {
        return HUGE_VALF;
    }
    if (value < -FLT_MAX) {
        return -HUGE_VALF;
    }
    return static_cast<float>(value);
}

// Cuts the bracket contents into tokens at runs of the separator.
std::vector<std::string> Tokenize(const std::string& raw, char separator) {
    std::string inner = Inner(raw);
    inner += separator;
    std::vector<std::string> tokens;
    size_t pos = inner.find_first_not_of(separator);
    while (pos != std::string::npos) {
        const size_t end = inner.find(separator, pos);
        tokens.push_back(inner.substr(pos, end - pos));
        pos = inner.find_first_not_of(separator, end);
    }
    return tokens;
}

std::string DecodeString(const std::string& raw) {
    const std::string inner = Inner(raw);
    std::string decoded;
    decoded.reserve(inner.size());
    for (size_t i = 0; i < inner.size(); ++i) {
        const char c = inner[i];
        if (c == '\\' && i + 1 < inner.size()) {
            const char next = inner[i + 1];
            const char* escapes = "nt0\"\\";
            const char* meanings = "\n\t\0\"\\";
            const char* found = std::strchr(escapes, next);
            if (next != '\0' && found != nullptr) {
                decoded += meanings[found - escapes];
                ++i;
                continue;
            }
        }
        decoded += c;
    }
    return decoded;
}

std::string EncodeString(const std::string& value) {
    std::string encoded = "\"";
    for (char c : value) {
        switch (c) {
            case '"':
                encoded += "\\\"";
                break;
            case '\t':
                encoded += "\\t";
                break;
            case '\n':
                encoded += "\\n";
                break;
            case '\0':
                encoded += "\\0";
                break;
            case '\\':
                encoded += "\\\\";
                break;
            default:
                encoded += c;
        }
    }
    encoded += '"';
    return encoded;
}

// The rows of an array block value "{[row][row]...}".
std::vector<std::string> GridRows(const std::string& raw) {
    std::vector<std::string> rows;
    bool insideRow = false;
    for (char c : raw) {
        if (insideRow) {
            if (c == ']') {
                insideRow = false;
            } else {
                rows.back() += c;
            }
        } else if (c == '[') {
            rows.emplace_back();
            insideRow = true;
        }
    }
    return rows;
}

char* CopyToCString(const std::string& text) {
    char* copy = new char[text.size() + 1];
    std::memcpy(copy, text.data(), text.size());
    copy[text.size()] = '\0';
    return copy;
}

std::string FormatNumber(const char* format, double value) {
    const int length = std::snprintf(nullptr, 0, format, value);
    std::string text(static_cast<size_t>(std::max(length, 0)) + 1, '\0');
    std::snprintf(&text[0], text.size(), format, value);
    text.resize(text.size() - 1);
    return text;
}

std::string FormatNumber(const char* format, int value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, format, value);
    return buffer;
}

template <typename T>
std::string JoinArray(const T* values, int count, char separator, const char* format) {
    std::string raw = "[";
    for (int i = 0; values != nullptr && i < count; ++i) {
        if (i > 0) {
            raw += separator;
        }
        raw += FormatNumber(format, values[i]);
    }
    raw += ']';
    return raw;
}

// The dotted key split into its block path and its leaf.
std::vector<std::string> SplitKey(const std::string& key) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t dot = key.find('.'); dot != std::string::npos; dot = key.find('.', start)) {
        parts.push_back(key.substr(start, dot - start));
        start = dot + 1;
    }
    parts.push_back(key.substr(start));
    return parts;
}

void CloseBlocksDownTo(std::string& out, size_t openDepth, size_t keepDepth) {
    while (openDepth > keepDepth) {
        --openDepth;
        out.append(openDepth, '\t');
        out += "}\n";
    }
}

// Last components of the paths in list that lie directly inside parent.
std::vector<std::string> ChildrenOf(const std::vector<std::string>& list,
                                    const std::string& parent) {
    const std::string prefix = parent.empty() ? std::string() : parent + ".";
    std::vector<std::string> children;
    for (const std::string& path : list) {
        if (path.size() > prefix.size() && path.compare(0, prefix.size(), prefix) == 0 &&
            path.find('.', prefix.size()) == std::string::npos) {
            children.push_back(path.substr(prefix.size()));
        }
    }
    return children;
}

bool ReadWholeFile(const char* path, std::string& bytes) {
    if (path == nullptr) {
        return false;
    }
    FILE* file = std::fopen(path, "rb");
    if (file == nullptr) {
        return false;
    }
    bytes.clear();
    char buffer[65536];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        bytes.append(buffer, got);
    }
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    return !failed;
}

}  // namespace

void OConfigFile::Clear() {
    values.clear();
    blockList.clear();
    keyList.clear();
    text.clear();
}

void OConfigFile::FillText(const char* data, size_t count, char lineSeparator) {
    text.assign(data, count);
    if (lineSeparator != '\n') {
        std::replace(text.begin(), text.end(), lineSeparator, '\n');
    }
    text += '\n';
}

int OConfigFile::LoadFile(const char* path) {
    Clear();
    std::string bytes;
    if (!ReadWholeFile(path, bytes)) {
        return Finish(1);
    }
    // Text-mode reading: line ends lose their carriage returns.
    bytes.erase(std::remove(bytes.begin(), bytes.end(), '\r'), bytes.end());
    FillText(bytes.data(), bytes.size(), '\n');
    return Parse();
}

int OConfigFile::LoadMemory(const char* data, size_t count) {
    Clear();
    // The bytes are read as a C string: they end at the first NUL.
    const size_t length = data == nullptr ? 0 : strnlen(data, count);
    FillText(data == nullptr ? "" : data, length, '\r');
    return Parse();
}

int OConfigFile::LoadString(const char* source) {
    Clear();
    const char* safe = source == nullptr ? "" : source;
    FillText(safe, std::strlen(safe), '\n');
    return Parse();
}

int OConfigFile::LoadScrambled(const char* path) {
    std::string bytes;
    if (!ReadWholeFile(path, bytes)) {
        return Finish(1);
    }
    Scrambler::Config(reinterpret_cast<uint8_t*>(&bytes[0]), bytes.size());
    return Finish(LoadString(bytes.c_str()));
}

int OConfigFile::Parse() {
    std::string prefix;
    size_t pos = 0;
    while (pos < text.size()) {
        const std::string name = ReadName(text, pos);
        if (name.empty()) {
            break;
        }
        if (name == "}") {
            if (prefix.empty()) {
                return Finish(1);
            }
            CloseBlock(prefix);
            continue;
        }
        const EntryKind kind = Classify(text, pos);
        if (kind == EntryKind::Malformed || kind == EntryKind::EndOfText ||
            prefix.size() + name.size() > kMaxPathLength) {
            return Finish(1);
        }
        if (kind == EntryKind::BlockHeader) {
            prefix += name;
            blockList.push_back(prefix);
            prefix += '.';
            continue;
        }
        const RawValue value =
            kind == EntryKind::ArrayBlock ? ReadArrayBlock(text, pos) : ReadPlainValue(text, pos);
        if (value.unclosed && !value.text.empty()) {
            return Finish(1);
        }
        std::string key = prefix + name;
        values[key] = value.text;
        keyList.push_back(std::move(key));
    }
    return Finish(0);
}

const std::string* OConfigFile::Find(const std::string& key) {
    const auto found = values.find(key);
    if (found == values.end()) {
        errorFlag = 1;
        return nullptr;
    }
    errorFlag = 0;
    return &found->second;
}

int OConfigFile::GetInt(const std::string& key, int defaultValue) {
    const std::string* raw = Find(key);
    if (raw == nullptr) {
        return defaultValue;
    }
    if (raw->compare(0, 2, "0x") == 0) {
        unsigned int value = static_cast<unsigned int>(defaultValue);
        std::sscanf(raw->c_str(), "%x", &value);
        return static_cast<int>(value);
    }
    return TextToInt(raw->c_str());
}

float OConfigFile::GetFloat(const std::string& key, float defaultValue) {
    const std::string* raw = Find(key);
    return raw == nullptr ? defaultValue : TextToFloat(raw->c_str());
}

int* OConfigFile::GetIntArray(const std::string& key, int& count, char separator) {
    count = 0;
    const std::string* raw = Find(key);
    if (raw == nullptr) {
        return nullptr;
    }
    const std::vector<std::string> tokens = Tokenize(*raw, separator);
    int* array = new int[tokens.size()];
    for (const std::string& token : tokens) {
        array[count++] = TextToInt(token.c_str());
    }
    return array;
}

float* OConfigFile::GetFloatArray(const std::string& key, int& count, char separator) {
    count = 0;
    const std::string* raw = Find(key);
    if (raw == nullptr) {
        return nullptr;
    }
    const std::vector<std::string> tokens = Tokenize(*raw, separator);
    float* array = new float[tokens.size()];
    for (const std::string& token : tokens) {
        array[count++] = TextToFloat(token.c_str());
    }
    return array;
}

std::string OConfigFile::GetString(const std::string& key, const std::string& defaultValue) {
    const std::string* raw = Find(key);
    return raw == nullptr ? defaultValue : DecodeString(*raw);
}

char* OConfigFile::GetCString(const std::string& key, const char* defaultValue) {
    const std::string* raw = Find(key);
    if (raw == nullptr) {
        return CopyToCString(defaultValue == nullptr ? "" : defaultValue);
    }
    return CopyToCString(DecodeString(*raw));
}

char* OConfigFile::GetCharGrid(const std::string& key, int& width, int& height, char pad,
                               const char* defaultValue) {
    width = 0;
    height = 0;
    const std::string* raw = Find(key);
    if (raw == nullptr) {
        return CopyToCString(defaultValue == nullptr ? "" : defaultValue);
    }
    std::vector<std::string> rows = GridRows(*raw);
    size_t longest = 0;
    for (std::string& row : rows) {
        row.erase(std::remove(row.begin(), row.end(), pad), row.end());
        longest = std::max(longest, row.size());
    }
    std::string grid;
    grid.reserve(longest * rows.size());
    for (const std::string& row : rows) {
        grid += row;
        grid.append(longest - row.size(), pad);
    }
    width = static_cast<int>(longest);
    height = static_cast<int>(rows.size());
    return CopyToCString(grid);
}

bool OConfigFile::HasBlock(const std::string& path) const {
    if (path.empty()) {
        return false;
    }
    const std::string prefix = path + ".";
    const auto candidate = values.lower_bound(prefix);
    return candidate != values.end() && candidate->first.compare(0, prefix.size(), prefix) == 0;
}

std::vector<std::string> OConfigFile::ListBlocks(const std::string& parent) const {
    return ChildrenOf(blockList, parent);
}

std::vector<std::string> OConfigFile::ListKeys(const std::string& parent) const {
    return ChildrenOf(keyList, parent);
}

void OConfigFile::SetInt(const std::string& key, int value) {
    values[key] = FormatNumber("%d", value);
}

void OConfigFile::SetFloat(const std::string& key, float value) {
    values[key] = FormatNumber("%f", static_cast<double>(value));
}

void OConfigFile::SetIntArray(const std::string& key, const int* array, int count, char separator) {
    values[key] = JoinArray(array, count, separator, "%d");
}

void OConfigFile::SetFloatArray(const std::string& key, const float* array, int count,
                                char separator) {
    std::vector<double> widened;
    for (int i = 0; array != nullptr && i < count; ++i) {
        widened.push_back(array[i]);
    }
    values[key] = JoinArray(widened.data(), static_cast<int>(widened.size()), separator, "%f");
}

void OConfigFile::SetString(const std::string& key, const std::string& value) {
    values[key] = EncodeString(value);
}

void OConfigFile::SetCharGrid(const std::string& key, const char* grid, int width, int height) {
    std::string raw = "{";
    for (int row = 0; grid != nullptr && row < height; ++row) {
        raw += '[';
        raw.append(grid + static_cast<size_t>(row) * std::max(width, 0), std::max(width, 0));
        raw += ']';
    }
    raw += '}';
    values[key] = raw;
}

std::string OConfigFile::Serialize() const {
    std::string out;
    std::vector<std::string> openBlocks;
    for (const auto& [key, raw] : values) {
        std::vector<std::string> parts = SplitKey(key);
        const std::string leaf = parts.back();
        parts.pop_back();
        size_t shared = 0;
        while (shared < parts.size() && shared < openBlocks.size() &&
               parts[shared] == openBlocks[shared]) {
            ++shared;
        }
        CloseBlocksDownTo(out, openBlocks.size(), shared);
        for (size_t depth = shared; depth < parts.size(); ++depth) {
            out.append(depth, '\t');
            out += parts[depth];
            out += " = {\n";
        }
        out.append(parts.size(), '\t');
        out += leaf;
        out += '=';
        out += raw;
        out += '\n';
        openBlocks = std::move(parts);
    }
    CloseBlocksDownTo(out, openBlocks.size(), 0);
    return out;
}

int OConfigFile::WriteSerialized(const char* path, bool scrambled) {
    std::string bytes = Serialize();
    if (scrambled) {
        Scrambler::Config(reinterpret_cast<uint8_t*>(&bytes[0]), bytes.size());
    }
    return Finish(AtomicFile::Write(path, bytes.data(), bytes.size()) ? 0 : 1);
}

int OConfigFile::SaveScrambled(const char* path) {
    return WriteSerialized(path, true);
}

int OConfigFile::SaveFile(const char* path) {
    return WriteSerialized(path, false);
}
