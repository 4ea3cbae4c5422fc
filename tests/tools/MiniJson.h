#pragma once
// A small JSON reader for checking the tool's output in tests. Throws std::runtime_error on
// malformed text. Numbers are read with strtod, so a round-trip printed double reads back equal.
#include <cmath>
#include <cstdlib>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace minijson {

struct Value {
    enum Kind { Null, Bool, Number, String, Array, Object } kind = Null;
    bool b = false;
    double n = 0.0;
    std::string s;
    std::vector<Value> a;
    std::vector<std::pair<std::string, Value>> o; // in document order

    bool isNull() const { return kind == Null; }
    // A double as the tool writes it: a number, or the name of a value JSON has no number for.
    double real() const {
        if (kind == String) {
            if (s == "Infinity")
                return HUGE_VAL;
            if (s == "-Infinity")
                return -HUGE_VAL;
            if (s == "NaN")
                return std::nan("");
            throw std::runtime_error("no number: " + s);
        }
        if (kind != Number)
            throw std::runtime_error("no number");
        return n;
    }
    bool has(const std::string& key) const {
        for (auto& [k, v] : o)
            if (k == key)
                return true;
        return false;
    }
    const Value& operator[](const std::string& key) const {
        for (auto& [k, v] : o)
            if (k == key)
                return v;
        throw std::runtime_error("no key " + key);
    }
    const Value& operator[](std::size_t i) const {
        if (i >= a.size())
            throw std::runtime_error("index out of range");
        return a[i];
    }
    std::size_t size() const { return kind == Array ? a.size() : o.size(); }
    std::vector<std::string> keys() const {
        std::vector<std::string> k;
        for (auto& p : o)
            k.push_back(p.first);
        return k;
    }
};

class Parser {
public:
    explicit Parser(const std::string& text) : m_t(text) {}
    Value parseDocument() {
        Value v = parse();
        skip();
        if (m_p != m_t.size())
            fail("trailing text");
        return v;
    }

private:
    [[noreturn]] void fail(const char* what) {
        throw std::runtime_error(std::string("json: ") + what + " at " + std::to_string(m_p));
    }
    void skip() {
        while (m_p < m_t.size() &&
               (m_t[m_p] == ' ' || m_t[m_p] == '\n' || m_t[m_p] == '\r' || m_t[m_p] == '\t'))
            ++m_p;
    }
    bool eat(const char* word) {
        std::string w(word);
        if (m_t.compare(m_p, w.size(), w) == 0) {
            m_p += w.size();
            return true;
        }
        return false;
    }
    std::string parseString() {
        if (m_t[m_p] != '"')
            fail("expected string");
        ++m_p;
        std::string out;
        while (m_p < m_t.size() && m_t[m_p] != '"') {
            char c = m_t[m_p++];
            if (static_cast<unsigned char>(c) < 0x20)
                fail("control character in string");
            if (c != '\\') {
                out += c;
                continue;
            }
            if (m_p >= m_t.size())
                fail("bad escape");
            char e = m_t[m_p++];
            switch (e) {
            case '"':
                out += '"';
                break;
            case '\\':
                out += '\\';
                break;
            case '/':
                out += '/';
                break;
            case 'n':
                out += '\n';
                break;
            case 'r':
                out += '\r';
                break;
            case 't':
                out += '\t';
                break;
            case 'b':
                out += '\b';
                break;
            case 'f':
                out += '\f';
                break;
            case 'u': {
                if (m_p + 4 > m_t.size())
                    fail("bad \\u");
                unsigned cp = static_cast<unsigned>(std::stoul(m_t.substr(m_p, 4), nullptr, 16));
                m_p += 4;
                if (cp < 0x80) {
                    out += static_cast<char>(cp);
                } else if (cp < 0x800) {
                    out += static_cast<char>(0xC0 | (cp >> 6));
                    out += static_cast<char>(0x80 | (cp & 0x3F));
                } else {
                    out += static_cast<char>(0xE0 | (cp >> 12));
                    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
                    out += static_cast<char>(0x80 | (cp & 0x3F));
                }
                break;
            }
            default:
                fail("bad escape");
            }
        }
        if (m_p >= m_t.size())
            fail("unterminated string");
        ++m_p;
        return out;
    }
    Value parse() {
        skip();
        if (m_p >= m_t.size())
            fail("unexpected end");
        Value v;
        char c = m_t[m_p];
        if (c == '{') {
            v.kind = Value::Object;
            ++m_p;
            skip();
            if (m_t[m_p] == '}') {
                ++m_p;
                return v;
            }
            for (;;) {
                skip();
                std::string k = parseString();
                skip();
                if (m_t[m_p++] != ':')
                    fail("expected ':'");
                v.o.emplace_back(k, parse());
                skip();
                if (m_t[m_p] == ',') {
                    ++m_p;
                    continue;
                }
                if (m_t[m_p] == '}') {
                    ++m_p;
                    return v;
                }
                fail("expected ',' or '}'");
            }
        }
        if (c == '[') {
            v.kind = Value::Array;
            ++m_p;
            skip();
            if (m_t[m_p] == ']') {
                ++m_p;
                return v;
            }
            for (;;) {
                v.a.push_back(parse());
                skip();
                if (m_t[m_p] == ',') {
                    ++m_p;
                    continue;
                }
                if (m_t[m_p] == ']') {
                    ++m_p;
                    return v;
                }
                fail("expected ',' or ']'");
            }
        }
        if (c == '"') {
            v.kind = Value::String;
            v.s = parseString();
            return v;
        }
        if (eat("null"))
            return v;
        if (eat("true")) {
            v.kind = Value::Bool;
            v.b = true;
            return v;
        }
        if (eat("false")) {
            v.kind = Value::Bool;
            return v;
        }
        const char* start = m_t.c_str() + m_p;
        char* end = nullptr;
        v.n = std::strtod(start, &end);
        if (end == start)
            fail("unexpected character");
        v.kind = Value::Number;
        m_p += static_cast<std::size_t>(end - start);
        return v;
    }

    const std::string& m_t;
    std::size_t m_p = 0;
};

inline Value parse(const std::string& text) {
    return Parser(text).parseDocument();
}

} // namespace minijson
