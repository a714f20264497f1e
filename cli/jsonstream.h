#pragma once

#include <QStringView>

#include <cstdio>
#include <string>
#include <string_view>

// JSON written straight to a stream in large chunks, so that a result list
// of a million rows never has to exist as one document in memory.
class JsonStream
{
public:
    explicit JsonStream(std::FILE *out);
    ~JsonStream();

    JsonStream(const JsonStream &) = delete;
    JsonStream &operator=(const JsonStream &) = delete;

    JsonStream &raw(const char *text);
    JsonStream &raw(std::string_view text);
    JsonStream &string(QStringView text);
    JsonStream &number(long long value);
    JsonStream &null() { return raw("null"); }
    void flush();

    // The JSON string of text (quotes, escapes, UTF-8) added to out.
    static void appendString(std::string &out, QStringView text);

private:
    void spill();

    std::FILE *m_out;
    std::string m_buffer;
};
