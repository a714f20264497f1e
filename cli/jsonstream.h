#pragma once

#include <QStringView>

#include <cstdio>
#include <string>

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
    JsonStream &string(QStringView text);
    JsonStream &number(long long value);
    JsonStream &null() { return raw("null"); }
    void flush();

private:
    void spill();

    std::FILE *m_out;
    std::string m_buffer;
};
