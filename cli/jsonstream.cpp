#include "jsonstream.h"
#include "output.h"

#include <charconv>

namespace
{
    constexpr std::size_t kChunk = 1 << 20;
}

JsonStream::JsonStream(std::FILE *out)
    : m_out(out)
{
    m_buffer.reserve(kChunk + 4096);
}

JsonStream::~JsonStream()
{
    flush();
}

void JsonStream::spill()
{
    if (m_buffer.size() >= kChunk)
        flush();
}

void JsonStream::flush()
{
    Cli::writeOut(m_buffer, m_out);
    m_buffer.clear();
    Cli::flushOut(m_out);
}

JsonStream &JsonStream::raw(const char *text)
{
    m_buffer += text;
    spill();
    return *this;
}

JsonStream &JsonStream::raw(std::string_view text)
{
    m_buffer += text;
    spill();
    return *this;
}

JsonStream &JsonStream::number(long long value)
{
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    m_buffer.append(digits, end);
    spill();
    return *this;
}

JsonStream &JsonStream::string(QStringView text)
{
    appendString(m_buffer, text);
    spill();
    return *this;
}

void JsonStream::appendString(std::string &out, QStringView text)
{
    static const char hex[] = "0123456789abcdef";
    out += '"';
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        char32_t c = text[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < size && QChar::isLowSurrogate(text[i + 1].unicode())) {
            c = QChar::surrogateToUcs4(char16_t(c), text[i + 1].unicode());
            ++i;
        } else if (QChar::isSurrogate(c)) {
            c = 0xFFFD; // a lone half of a pair is not text
        }
        if (c == '"' || c == '\\') {
            out += '\\';
            out += char(c);
        } else if (c < 0x20) {
            out += "\\u00";
            out += hex[c >> 4];
            out += hex[c & 0xF];
        } else if (c < 0x80) {
            out += char(c);
        } else if (c < 0x800) {
            out += char(0xC0 | (c >> 6));
            out += char(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += char(0xE0 | (c >> 12));
            out += char(0x80 | ((c >> 6) & 0x3F));
            out += char(0x80 | (c & 0x3F));
        } else {
            out += char(0xF0 | (c >> 18));
            out += char(0x80 | ((c >> 12) & 0x3F));
            out += char(0x80 | ((c >> 6) & 0x3F));
            out += char(0x80 | (c & 0x3F));
        }
    }
    out += '"';
}
