#pragma once
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

// A streaming JSON writer with two-space indentation. Keys and texts are UTF-8; numbers are
// written in the shortest form that reads back as the same double. JSON has no NaN or
// infinity: those are written as the strings "NaN", "Infinity" and "-Infinity" (a report value
// too large for a double is infinite), the form JavaScript and Python read back.
class JsonWriter {
public:
    explicit JsonWriter(std::ostream& out) : m_out(out) {}
    ~JsonWriter() { flush(); }
    JsonWriter(const JsonWriter&) = delete;
    JsonWriter& operator=(const JsonWriter&) = delete;

    void beginObject();
    void endObject();
    // A compact array keeps its elements on one line ("voltage": [1, 2, 3]).
    void beginArray(bool compact = false);
    void endArray();
    // Inside an object: the key of the next value.
    void key(std::string_view name);

    void value(double v);
    void value(int v);
    void value(long long v);
    void value(bool v);
    void value(std::string_view utf8);
    void value(const char* utf8) { value(std::string_view(utf8)); }
    void null();

    // Shortcuts for object members.
    template <class T> void member(std::string_view name, const T& v) {
        key(name);
        value(v);
    }

    // Ends the document with a line feed and writes out what is buffered.
    void finish();
    void flush();

    static std::string formatNumber(double v);
    static std::string quote(std::string_view utf8);

private:
    void beforeValue();
    void newline();
    void put(std::string_view text) {
        m_buffer.append(text);
        if (m_buffer.size() >= 64 * 1024)
            flush();
    }

    struct Level {
        bool isObject;
        bool empty;
        bool compact;
    };
    std::ostream& m_out;
    std::string m_buffer;
    std::vector<Level> m_levels;
    bool m_afterKey = false;
};
