#pragma once
// A small reader for the trace lines: objects whose values are integers,
// strings, or arrays of those. Strict: anything else fails the parse.

#include <map>
#include <string>
#include <variant>
#include <vector>

namespace quimba::sim::tracejson {

struct JsonValue {
    std::variant<long long, std::string, std::vector<JsonValue>> v;
    bool IsInt() const { return v.index() == 0; }
    bool IsString() const { return v.index() == 1; }
    bool IsArray() const { return v.index() == 2; }
    long long Int() const { return std::get<0>(v); }
    const std::string& Str() const { return std::get<1>(v); }
    const std::vector<JsonValue>& Arr() const { return std::get<2>(v); }
};

// Keys in the order they appear, with their values.
struct JsonObject {
    std::vector<std::string> keys;
    std::map<std::string, JsonValue> values;
    const JsonValue& operator[](const std::string& key) const { return values.at(key); }
};

class JsonReader {
public:
    explicit JsonReader(const std::string& text) : s_(text) {}

    bool ReadObject(JsonObject& out) {
        if (!Eat('{')) return false;
        if (Eat('}')) return AtEnd();
        do {
            std::string key;
            JsonValue value;
            if (!ReadString(key) || !Eat(':') || !ReadValue(value)) return false;
            if (out.values.count(key)) return false;
            out.keys.push_back(key);
            out.values[key] = std::move(value);
        } while (Eat(','));
        return Eat('}') && AtEnd();
    }

private:
    bool AtEnd() const { return i_ == s_.size(); }
    bool Eat(char c) {
        if (i_ < s_.size() && s_[i_] == c) {
            ++i_;
            return true;
        }
        return false;
    }
    bool ReadValue(JsonValue& out) {
        if (i_ >= s_.size()) return false;
        if (s_[i_] == '"') {
            std::string text;
            if (!ReadString(text)) return false;
            out.v = std::move(text);
            return true;
        }
        if (s_[i_] == '[') {
            ++i_;
            std::vector<JsonValue> items;
            if (!Eat(']')) {
                do {
                    JsonValue item;
                    if (!ReadValue(item)) return false;
                    items.push_back(std::move(item));
                } while (Eat(','));
                if (!Eat(']')) return false;
            }
            out.v = std::move(items);
            return true;
        }
        size_t start = i_;
        if (s_[i_] == '-') ++i_;
        while (i_ < s_.size() && s_[i_] >= '0' && s_[i_] <= '9') ++i_;
        if (i_ == start || (s_[start] == '-' && i_ == start + 1)) return false;
        out.v = std::stoll(s_.substr(start, i_ - start));
        return true;
    }
    bool ReadString(std::string& out) {
        if (!Eat('"')) return false;
        while (i_ < s_.size()) {
            const char c = s_[i_++];
            if (c == '"') return true;
            if (static_cast<unsigned char>(c) < 0x20) return false;
            if (c != '\\') {
                out += c;
                continue;
            }
            if (i_ >= s_.size()) return false;
            const char e = s_[i_++];
            switch (e) {
                case '"': out += '"'; break;
                case '\\': out += '\\'; break;
                case '/': out += '/'; break;
                case 'b': out += '\b'; break;
                case 'f': out += '\f'; break;
                case 'n': out += '\n'; break;
                case 'r': out += '\r'; break;
                case 't': out += '\t'; break;
                case 'u': {
                    if (i_ + 4 > s_.size()) return false;
                    const unsigned code = std::stoul(s_.substr(i_, 4), nullptr, 16);
                    i_ += 4;
                    if (code >= 0x80) return false;  // the trace only escapes control bytes
                    out += static_cast<char>(code);
                    break;
                }
                default: return false;
            }
        }
        return false;
    }

    const std::string& s_;
    size_t i_ = 0;
};

inline bool ParseTraceLine(const std::string& line, JsonObject& out) {
    JsonReader reader(line);
    return reader.ReadObject(out);
}

}  // namespace quimba::sim::tracejson
