#include "plist/PropertyList.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>

namespace wexo::plist {
namespace {

// Writes a binary property list from hand-made objects (each one's bytes,
// references `refSize` bytes wide), so that reading is checked against the
// format rather than against our own writer.
std::string bplist(const std::vector<std::string>& objects, int refSize = 1) {
    std::string bytes = "bplist00";
    std::vector<std::size_t> offsets;
    for (const auto& object : objects) {
        offsets.push_back(bytes.size());
        bytes += object;
    }
    const std::size_t tableAt = bytes.size();
    for (std::size_t offset : offsets) {
        for (int shift = 24; shift >= 0; shift -= 8) bytes += static_cast<char>(offset >> shift);
    }
    std::string trailer(32, '\0');
    trailer[6] = 4;  // bytes per offset
    trailer[7] = static_cast<char>(refSize);
    auto put = [&](std::size_t at, std::uint64_t v) {
        for (int i = 7; i >= 0; --i, v >>= 8) trailer[at + i] = static_cast<char>(v & 0xFF);
    };
    put(8, objects.size());
    put(16, 0);  // the first object is the top one
    put(24, tableAt);
    return bytes + trailer;
}

std::string bytesOf(std::initializer_list<unsigned> list) {
    std::string s;
    for (unsigned b : list) s += static_cast<char>(b);
    return s;
}

class RoundTrip : public ::testing::TestWithParam<Format> {
  protected:
    Value roundTrip(const Value& value) {
        std::string problem;
        auto bytes = PropertyList::write(value, GetParam(), &problem);
        EXPECT_TRUE(bytes) << problem;
        if (!bytes) return Value();
        std::vector<std::string> problems;
        auto back = PropertyList::read(*bytes, &problems);
        EXPECT_TRUE(problems.empty()) << problems.front();
        EXPECT_TRUE(back);
        return back ? *back : Value();
    }

    // Equality that also tells a real from an integer of the same value.
    void expectSame(const Value& value) {
        const Value back = roundTrip(value);
        EXPECT_EQ(back, value);
        EXPECT_EQ(back.type(), value.type());
    }
};

TEST_P(RoundTrip, Integers) {
    for (long long i :
         {0LL, 1LL, -1LL, -1600LL, -1700LL, -2700LL, 255LL, 256LL, 65535LL, 65536LL, 4294967296LL,
          std::numeric_limits<long long>::min(), std::numeric_limits<long long>::max()}) {
        SCOPED_TRACE(i);
        const Value back = roundTrip(Value(i));
        EXPECT_EQ(back.type(), Value::Type::Integer);
        EXPECT_EQ(back.asInteger(), i);
    }
}

TEST_P(RoundTrip, RealsKeepEveryBit) {
    for (double d : {0.1, -2.5, 1.0 / 3.0, 1e300, -1e-300, 5e-324, 123456789.123456789, 3.0}) {
        SCOPED_TRACE(d);
        const Value back = roundTrip(Value(d));
        EXPECT_EQ(back.type(), Value::Type::Real);
        EXPECT_EQ(back.asReal(), d);
    }
}

TEST_P(RoundTrip, BooleansStringsAndData) {
    expectSame(Value(true));
    expectSame(Value(false));
    for (const char* s : {"", "plain", "Disable Scroll for %@", "h\xC3\xA9llo",
                          "\xE6\x97\xA5\xE6\x9C\xAC", "\xF0\x9F\x98\x80 grin", "<&>\"' quoted"}) {
        SCOPED_TRACE(s);
        expectSame(Value(s));
    }
    expectSame(Value(Data{}));
    Data everyByte;
    for (int b = 0; b < 256; ++b) everyByte.push_back(static_cast<std::uint8_t>(b));
    expectSame(Value(everyByte));
}

TEST_P(RoundTrip, WholeSecondDatesAcrossTheWholeRange) {
    // 1970, 2001 (the format's epoch), 1900 and 2100 (beyond 32-bit seconds
    // from 2001), the first second of year 1 and the last of year 9999.
    for (double s :
         {0.0, 978307200.0, -2208988800.0, 4102444800.0, -62135596800.0, 253402300799.0}) {
        SCOPED_TRACE(s);
        expectSame(Value(Date{s}));
    }
}

TEST_P(RoundTrip, NestedContainers) {
    const Value value(Dictionary{
        {"", "empty key"},
        {"a<b & \xC3\xBC", Array{}},
        {"nested", Dictionary{{"deeper", Array{Dictionary{{"n", -1600}, {"r", 0.25}},
                                               Array{true, "x", Data{1, 2}, Date{86400.0}}}},
                              {"none", Dictionary{}}}},
    });
    expectSame(value);
}

TEST_P(RoundTrip, NestingUpToTheLimit) {
    Value deepest(1);
    for (int i = 0; i < PropertyList::kMaxDepth; ++i) deepest = Value(Array{deepest});
    expectSame(deepest);

    Value tooDeep(Array{deepest});
    std::string problem;
    EXPECT_FALSE(PropertyList::write(tooDeep, GetParam(), &problem));
    EXPECT_NE(problem.find("deeper"), std::string::npos) << problem;
}

INSTANTIATE_TEST_SUITE_P(BothFormats, RoundTrip, ::testing::Values(Format::Xml, Format::Binary),
                         [](const auto& info) {
                             return info.param == Format::Xml ? "Xml" : "Binary";
                         });

TEST(PropertyListTest, BinaryDatesKeepFractionsEvenBefore2001) {
    // libplist's own date accessors lose the sign of a fraction before 2001.
    for (double s : {978307200.25, 978307199.5, -0.5, -2208988800.75}) {
        SCOPED_TRACE(s);
        auto bytes = PropertyList::write(Value(Date{s}), Format::Binary);
        ASSERT_TRUE(bytes);
        EXPECT_EQ(PropertyList::read(*bytes), Value(Date{s}));
    }
}

TEST(PropertyListTest, XmlDatesKeepWholeSeconds) {
    auto xml = PropertyList::write(Value(Date{978307200.75}), Format::Xml);
    ASSERT_TRUE(xml);
    EXPECT_NE(xml->find("<date>2001-01-01T00:00:00Z</date>"), std::string::npos) << *xml;
}

TEST(PropertyListTest, XmlIsWhatMacOsWrites) {
    auto xml =
        PropertyList::write(Value(Dictionary{{"b", -1600}, {"a", 2.5}, {"c", true}}), Format::Xml);
    ASSERT_TRUE(xml);
    EXPECT_EQ(xml->rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>", 0), 0u);
    // Keys in order, the integer signed.
    const auto a = xml->find("<key>a</key>");
    const auto b = xml->find("<key>b</key>");
    const auto c = xml->find("<key>c</key>");
    EXPECT_LT(a, b);
    EXPECT_LT(b, c);
    EXPECT_NE(xml->find("<integer>-1600</integer>"), std::string::npos);
    EXPECT_NE(xml->find("<real>2.5</real>"), std::string::npos);
    EXPECT_NE(xml->find("<true/>"), std::string::npos);
}

TEST(PropertyListTest, ReadsHandWrittenXml) {
    const std::string xml =
        "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" "
        "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
        "<plist version=\"1.0\">\n<dict>\n"
        "  <!-- a comment <array> that is no array -->\n"
        "  <key>b</key><true/>\n"
        "  <key>i</key><integer>-2700</integer>\n"
        "  <key>r</key><real>0.5</real>\n"
        "  <key>s</key><string>A &lt;b&gt; &amp; \xF0\x9F\x98\x80</string>\n"
        "  <key>d</key><data>AAEC/w==</data>\n"
        "  <key>t</key><date>1970-01-02T00:00:00Z</date>\n"
        "  <key>old</key><date>1900-01-01T00:00:00Z</date>\n"
        "  <key>a</key><array><integer>1</integer><string>x</string></array>\n"
        "</dict>\n</plist>\n";
    const Value expected(Dictionary{
        {"b", true},
        {"i", -2700},
        {"r", 0.5},
        {"s", "A <b> & \xF0\x9F\x98\x80"},
        {"d", Data{0x00, 0x01, 0x02, 0xFF}},
        {"t", Date{86400.0}},
        {"old", Date{-2208988800.0}},  // 25567 days before 1970
        {"a", Array{1, "x"}},
    });
    EXPECT_EQ(PropertyList::read(xml), expected);
}

TEST(PropertyListTest, ReadsHandMadeBinary) {
    const std::string bytes = bplist({
        bytesOf({0xA6, 1, 2, 3, 4, 5, 6}),                                // array of six
        bytesOf({0x10, 0x01}),                                            // 1
        bytesOf({0x09}),                                                  // true
        bytesOf({0x52, 'a', 'b'}),                                        // "ab"
        bytesOf({0x13, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xF9, 0xC0}),  // -1600
        bytesOf({0x23, 0x40, 0x04, 0, 0, 0, 0, 0, 0}),                    // 2.5
        bytesOf({0x33, 0xBF, 0xE0, 0, 0, 0, 0, 0, 0}),  // half a second before 2001
    });
    EXPECT_EQ(PropertyList::read(bytes),
              Value(Array{1, true, "ab", -1600, 2.5, Date{978307200.0 - 0.5}}));
}

TEST(PropertyListTest, NothingFromBytesThatAreNoPropertyList) {
    for (const std::string& bytes :
         {std::string(), std::string("not a plist"), std::string("bplist00"),
          std::string("<plist><dict><key>a</key><integer>1</integer>"),
          std::string("\0\0\0\0", 4)}) {
        std::vector<std::string> problems;
        EXPECT_FALSE(PropertyList::read(bytes, &problems)) << bytes;
        EXPECT_FALSE(problems.empty());
    }
}

TEST(PropertyListTest, TruncatedAndMutatedListsNeverCrash) {
    const Value value(Dictionary{
        {"scrollSpeed", 2.5},
        {"buttonAssignDict", Dictionary{{"3", Dictionary{{"0", Dictionary{{"typeOfAction", 2}}}}}}},
        {"disabledAppsArray", Array{"com.apple.Safari", "\xE6\x97\xA5"}},
        {"data", Data{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
        {"when", Date{1600000000.0}},
        {"marker", -1600},
    });
    std::mt19937 random(20240229);
    for (Format format : {Format::Xml, Format::Binary}) {
        const auto bytes = PropertyList::write(value, format);
        ASSERT_TRUE(bytes);
        for (std::size_t length = 0; length < bytes->size(); ++length)
            (void)PropertyList::read(bytes->substr(0, length));
        for (int round = 0; round < 3000; ++round) {
            std::string damaged = *bytes;
            for (int flips = 1 + static_cast<int>(random() % 6); flips > 0; --flips)
                damaged[random() % damaged.size()] = static_cast<char>(random());
            (void)PropertyList::read(damaged);
        }
        EXPECT_EQ(PropertyList::read(*bytes), value);
    }
    for (int round = 0; round < 3000; ++round) {
        std::string noise(random() % 300, '\0');
        for (char& c : noise) c = static_cast<char>(random());
        if (round % 2) noise.insert(0, "bplist00");
        (void)PropertyList::read(noise);
    }
}

TEST(PropertyListTest, RefusesNestingThatWouldExhaustTheStack) {
    std::string open, closed;
    for (int i = 0; i < 200000; ++i) open += "<array>";
    closed = "<plist>" + open;
    for (int i = 0; i < 200000; ++i) closed += "</array>";
    closed += "</plist>";
    std::vector<std::string> problems;
    EXPECT_FALSE(PropertyList::read(open, &problems));
    EXPECT_FALSE(PropertyList::read(closed, &problems));

    // A binary chain of 200000 arrays, each holding the next.
    std::vector<std::string> chain;
    for (unsigned i = 1; i <= 200000; ++i)
        chain.push_back(bytesOf({0xA1, 0, (i >> 16) & 0xFF, (i >> 8) & 0xFF, i & 0xFF}));
    chain.push_back(bytesOf({0x09}));
    EXPECT_FALSE(PropertyList::read(bplist(chain, 4), &problems));
    // Arrays holding each other, and one holding itself.
    EXPECT_FALSE(PropertyList::read(bplist({bytesOf({0xA1, 1}), bytesOf({0xA1, 0})}), &problems));
    EXPECT_FALSE(PropertyList::read(bplist({bytesOf({0xA1, 0})}), &problems));
}

TEST(PropertyListTest, RefusesSharedObjectsThatWouldExpandWithoutBound) {
    // Each array holds the next one twice: 2^60 values once expanded.
    std::vector<std::string> objects;
    for (unsigned i = 0; i < 60; ++i) objects.push_back(bytesOf({0xA2, i + 1, i + 1}));
    objects.push_back(bytesOf({0x09}));
    std::vector<std::string> problems;
    EXPECT_FALSE(PropertyList::read(bplist(objects), &problems));
    ASSERT_FALSE(problems.empty());
    EXPECT_NE(problems.back().find("expands"), std::string::npos) << problems.back();
}

TEST(PropertyListTest, KeepsWhatItCanOfAListWithBadMembers) {
    const std::string xml =
        "<plist><array><integer>1</integer><real>nan</real><string>a\xFF"
        "b</string><integer>18446744073709551615</integer><integer>2</integer></array></plist>";
    std::vector<std::string> problems;
    auto value = PropertyList::read(xml, &problems);
    ASSERT_TRUE(value);
    // The real that is not finite is left out; the bad byte becomes U+FFFD;
    // the unsigned integer beyond the signed range becomes the real 2^64.
    EXPECT_EQ(*value, Value(Array{1,
                                  "a\xEF\xBF\xBD"
                                  "b",
                                  18446744073709551616.0, 2}));
    EXPECT_EQ(problems.size(), 3u);
}

TEST(PropertyListTest, LeavesOutDatesNoFormatCanSpell) {
    // 1e15 seconds after 2001, tens of millions of years away.
    auto value = PropertyList::read(
        bplist({bytesOf({0xA2, 1, 2}), bytesOf({0x33, 0x43, 0x0C, 0x6B, 0xF5, 0x26, 0x34, 0, 0}),
                bytesOf({0x09})}));
    EXPECT_EQ(value, Value(Array{true}));
}

TEST(PropertyListTest, KeyedArchiveReferencesReadAsTheirXmlSpelling) {
    auto value = PropertyList::read(bplist({bytesOf({0x80, 7})}));
    EXPECT_EQ(value, Value(Dictionary{{"CF$UID", 7}}));
}

TEST(PropertyListTest, SaysWhyAValueCannotBeWritten) {
    EXPECT_FALSE(PropertyList::whyUnwritable(Value(Dictionary{{"ok", Array{1, "x", 2.5}}})));
    const std::vector<Value> refused{
        Value(std::numeric_limits<double>::quiet_NaN()),
        Value(Array{std::numeric_limits<double>::infinity()}),
        Value("bad \xC0\x80 overlong"),
        Value(std::string("nul\0inside", 10)),
        Value(Dictionary{{"\xFF", 1}}),
        Value(Date{-62135596801.0}),  // a second before year 1
        Value(Date{253402300800.0}),  // a second after year 9999
    };
    for (const Value& value : refused) {
        EXPECT_TRUE(PropertyList::whyUnwritable(value));
        EXPECT_FALSE(PropertyList::write(value, Format::Xml));
        EXPECT_FALSE(PropertyList::write(value, Format::Binary));
    }
}

}  // namespace
}  // namespace wexo::plist
