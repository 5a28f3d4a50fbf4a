// The calc JSON of the example main line bridge against a golden copy: every name in its place and every value
// within 1e-9 (about two units in the last place of the largest coordinates), so that a field written under
// another's name, or a value that moved, fails here.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "drawing/ExampleDrawings.h"
#include "report/ResultJson.h"

using namespace tavrel;

namespace {

// A JSON value as far as this test needs one: an object keeps its member names in their order.
struct JsonValue {
    enum class Kind { Null, Number, String, Array, Object } kind = Kind::Null;
    double number = 0;
    std::string text;
    std::vector<std::string> names;  // an object's member names, in the order of `items`
    std::vector<JsonValue> items;    // an array's elements or an object's member values
};

// Reads the JSON the writers produce (no true or false, strings without escapes other than \" and \\).
class JsonReader {
public:
    explicit JsonReader(std::string text) : s_(std::move(text)) {}

    JsonValue document() {
        JsonValue v = value();
        if (skip() != '\0') fail("text after the value");
        return v;
    }

private:
    char skip() {
        while (at_ < s_.size() && std::isspace(static_cast<unsigned char>(s_[at_]))) ++at_;
        return at_ < s_.size() ? s_[at_] : '\0';
    }
    void expect(char c) {
        if (skip() != c) fail(std::string("expected ") + c);
        ++at_;
    }
    [[noreturn]] void fail(const std::string& what) const {
        throw std::runtime_error(what + " at offset " + std::to_string(at_));
    }
    std::string string() {
        expect('"');
        std::string out;
        while (at_ < s_.size() && s_[at_] != '"') {
            if (s_[at_] == '\\') ++at_;
            out += s_[at_++];
        }
        expect('"');
        return out;
    }
    JsonValue value() {
        JsonValue v;
        const char c = skip();
        if (c == '{' || c == '[') {
            const bool object = c == '{';
            v.kind = object ? JsonValue::Kind::Object : JsonValue::Kind::Array;
            ++at_;
            for (bool first = true; skip() != (object ? '}' : ']'); first = false) {
                if (!first) expect(',');
                if (object) {
                    v.names.push_back(string());
                    expect(':');
                }
                v.items.push_back(value());
            }
            ++at_;
        } else if (c == '"') {
            v.kind = JsonValue::Kind::String;
            v.text = string();
        } else if (s_.compare(at_, 4, "null") == 0) {
            at_ += 4;
        } else {
            char* end = nullptr;
            v.kind = JsonValue::Kind::Number;
            v.number = std::strtod(s_.c_str() + at_, &end);
            if (end == s_.c_str() + at_) fail("not a value");
            at_ = static_cast<std::size_t>(end - s_.c_str());
        }
        return v;
    }

    std::string s_;
    std::size_t at_ = 0;
};

// Fails the test at every place, named by its path, where `got` differs from `want`.
void ExpectSameJson(const JsonValue& got, const JsonValue& want, const std::string& path) {
    ASSERT_EQ(static_cast<int>(got.kind), static_cast<int>(want.kind)) << path;
    if (want.kind == JsonValue::Kind::Number) {
        EXPECT_NEAR(got.number, want.number, 1e-9) << path;
    }
    EXPECT_EQ(got.text, want.text) << path;
    EXPECT_EQ(got.names, want.names) << path;
    ASSERT_EQ(got.items.size(), want.items.size()) << path;
    for (std::size_t k = 0; k < want.items.size(); ++k)
        ExpectSameJson(got.items[k], want.items[k],
                       path + (want.names.empty() ? "[" + std::to_string(k) + "]" : "." + want.names[k]));
}

}  // namespace

TEST(ResultJson, MainLineExampleMatchesItsGoldenCopyFieldByField) {
    const tavrel::testing::ExampleRun run = tavrel::testing::RunExample("mainline");
    ASSERT_FALSE(run.result.layout.piers.empty());
    std::ifstream golden(TAVREL_REPORT_GOLDEN_DIR "/mainline.golden.json", std::ios::binary);
    ASSERT_TRUE(golden) << "no golden file";
    std::ostringstream want;
    want << golden.rdbuf();
    ExpectSameJson(JsonReader(ResultJson(run.name, run.result, run.warnings)).document(),
                   JsonReader(want.str()).document(), "$");
}
