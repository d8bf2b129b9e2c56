#include "runtime1/lists/myFileStreamU.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "list_test_support.h"
#include "runtime1/lists/Useful_Classes.h"

using list_tests::Hex;
using list_tests::StreamOf;
using list_tests::ToHex;
using platform::MemoryStream;

namespace {

std::string Written(const std::function<void(TStream &)> &write) {
  MemoryStream stream;
  write(stream);
  return ToHex(stream.Bytes());
}

TEST(StreamLayouts, WritersProduceTheseBytes) {
  const char16_t with_nul[] = {u'a', 0, u'b', 0};
  struct Case {
    const char *name;
    std::function<void(TStream &)> write;
    std::string bytes;
  } cases[] = {
      {"short string", [](TStream &s) { WriteShortString(s, "abc"); }, "03 61 62 63"},
      {"empty short string", [](TStream &s) { WriteShortString(s, ""); }, "00"},
      {"8-bit text", [](TStream &s) { EXPECT_EQ(WriteAnsiPchar(s, "abc"), 3); }, "03 00 61 62 63"},
      {"8-bit text stops at NUL",
       [](TStream &s) { EXPECT_EQ(WriteAnsiPchar(s, std::string_view("ab\0c", 4)), 2); },
       "02 00 61 62"},
      {"UTF-16 text", [](TStream &s) { WriteWidePchar(s, u"h\u00e9"); }, "02 00 00 00 68 00 E9 00"},
      {"UTF-16 text stops at NUL",
       [&](TStream &s) { WriteWidePchar(s, std::u16string_view(with_nul, 3)); },
       "01 00 00 00 61 00"},
      {"counted pointer UTF-16",
       [](TStream &s) { EXPECT_TRUE(WriteUnknownLengthPointer<char16_t>(s, u"abc")); },
       "03 00 00 00 61 00 62 00 63 00"},
      {"counted pointer 8-bit",
       [](TStream &s) { EXPECT_TRUE(WriteUnknownLengthPointer<char>(s, "abc")); },
       "03 00 00 00 61 62 63"},
      {"counted pointer null",
       [](TStream &s) {
         EXPECT_TRUE(
             WriteUnknownLengthPointer<char16_t>(s, static_cast<const char16_t *>(nullptr)));
       },
       "00 00 00 00"},
      {"known length keeps NULs",
       [&](TStream &s) {
         EXPECT_TRUE(WriteKnownLengthPointer<char16_t>(s, std::u16string_view(with_nul, 3), 3));
       },
       "03 00 00 00 61 00 00 00 62 00"},
      {"string", [](TStream &s) { EXPECT_TRUE(WriteAString(s, u"ab")); },
       "02 00 00 00 61 00 62 00"},
      {"empty string", [](TStream &s) { EXPECT_TRUE(WriteAString(s, u"")); }, "00 00 00 00"},
      {"short string of a high byte", [](TStream &s) { WriteShortString(s, "\xFF"); }, "01 FF"},
  };
  for (const Case &c : cases) EXPECT_EQ(Written(c.write), c.bytes) << c.name;
}

TEST(StreamLayouts, ReadersReturnTheseTexts) {
  struct Case {
    const char *name;
    std::string bytes;
    std::function<std::u16string(TStream &)> read;  // 8-bit results widened byte by byte
    std::u16string text;
    int64_t end_position;
  };
  auto widen = [](const std::string &s) { return std::u16string(s.begin(), s.end()); };
  const Case cases[] = {
      {"short string", "03 61 62 63", [&](TStream &s) { return widen(ReadShortString(s)); }, u"abc",
       4},
      {"8-bit text", "03 00 61 62 63", [&](TStream &s) { return widen(ReadAnsiPchar(s)); }, u"abc",
       5},
      {"UTF-16 text", "02 00 00 00 68 00 E9 00", [](TStream &s) { return ReadWidePchar(s); },
       u"h\u00e9", 8},
      {"pointer as UTF-16", "02 00 00 00 41 00 42 00",
       [](TStream &s) { return ReadUnknownLengthPointer<char16_t>(s); }, u"AB", 8},
      // The same bytes read as 8-bit: two bytes "A\0", a text that ends at its NUL.
      {"pointer as 8-bit", "02 00 00 00 41 00 42 00",
       [&](TStream &s) { return widen(ReadUnknownLengthPointer<char>(s)); }, u"A", 6},
      {"pointer count 0", "00 00 00 00",
       [](TStream &s) { return ReadUnknownLengthPointer<char16_t>(s); }, u"", 4},
      {"string", "02 00 00 00 61 00 00 00",
       [](TStream &s) {
         std::u16string t;
         ReadAString(s, t);
         return t;
       },
       std::u16string(u"a\0", 2), 8},
  };
  for (const Case &c : cases) {
    MemoryStream stream(Hex(c.bytes));
    EXPECT_EQ(c.read(stream), c.text) << c.name;
    EXPECT_EQ(stream.Position(), c.end_position) << c.name;
  }
}

TEST(StreamLayouts, NullPointerTextReadsBackEmpty) {
  MemoryStream stream;
  ASSERT_TRUE(WriteUnknownLengthPointer<char>(stream, static_cast<const char *>(nullptr)));
  stream.Seek(0);
  const std::string text = ReadUnknownLengthPointer<char>(stream);
  EXPECT_TRUE(text.empty());
  EXPECT_EQ(text.c_str()[0], '\0');
}

// Lengths at and past each layout's or reader's limit: a writer refuses what its reader could
// not read back, and writes nothing then.
TEST(StreamLayouts, WritersRefuseTextsPastTheirLimits) {
  struct Case {
    const char *name;
    std::function<bool(TStream &, size_t)> write;  // true when accepted
    size_t limit;
  } cases[] = {
      {"short string",
       [](TStream &s, size_t n) { return WriteShortString(s, std::string(n, 'x')); }, 255},
      {"8-bit text",
       [](TStream &s, size_t n) { return WriteAnsiPchar(s, std::string(n, 'x')) >= 0; }, 65535},
      {"counted pointer",
       [](TStream &s, size_t n) {
         return WriteUnknownLengthPointer<char16_t>(s, std::u16string(n, u'x'));
       },
       50000},
      {"counted pointer with limit",
       [](TStream &s, size_t n) {
         return WriteUnknownLengthPointer<char>(s, std::string(n, 'x'), 10);
       },
       10},
      {"string", [](TStream &s, size_t n) { return WriteAString(s, std::u16string(n, u'x')); },
       5000},
      {"string with limit",
       [](TStream &s, size_t n) { return WriteAString(s, 7, std::u16string(n, u'x')); }, 7},
  };
  for (const Case &c : cases) {
    MemoryStream at_limit;
    EXPECT_TRUE(c.write(at_limit, c.limit)) << c.name;
    EXPECT_GT(at_limit.Size(), static_cast<int64_t>(c.limit)) << c.name;
    MemoryStream past_limit;
    EXPECT_FALSE(c.write(past_limit, c.limit + 1)) << c.name;
    EXPECT_EQ(past_limit.Size(), 0) << c.name;
  }
}

TEST(StreamLayouts, ShortStringOf255BytesRoundTrips) {
  std::string text(255, '\0');
  for (size_t k = 0; k < text.size(); ++k) text[k] = static_cast<char>(k + 1);
  MemoryStream stream;
  ASSERT_TRUE(WriteShortString(stream, text));
  stream.Seek(0);
  EXPECT_EQ(ReadShortString(stream), text);
}

TEST(StreamLayouts, ReaderLimitsAcceptTheLimitAndRejectOneMore) {
  {
    MemoryStream ok(list_tests::CountedUnits(50000, 50000, 2));
    EXPECT_EQ(ReadUnknownLengthPointer<char16_t>(ok).size(), 50000u);
    MemoryStream too_long(list_tests::CountedUnits(50001, 50001, 2));
    EXPECT_THROW(ReadUnknownLengthPointer<char16_t>(too_long), FileReadError);
    EXPECT_EQ(temp_pointer_chars_allocated, 50001);
  }
  {
    MemoryStream ok(list_tests::CountedUnits(5000, 5000, 2));
    std::u16string s;
    ReadAString(ok, s);
    EXPECT_EQ(s.size(), 5000u);
    MemoryStream too_long(list_tests::CountedUnits(5001, 5001, 2));
    s = u"old";
    try {
      ReadAString(too_long, s);
      ADD_FAILURE() << "5001 units were accepted";
    } catch (const FileReadError &e) {
      EXPECT_STREQ(e.what(), "file read error : ReadAString");
    }
    EXPECT_TRUE(s.empty());
    MemoryStream with_limit(list_tests::CountedUnits(6000, 6000, 2));
    ReadAString(with_limit, 6000, s);
    EXPECT_EQ(s.size(), 6000u);
  }
}

// Damaged counts: each reader answers with its read error, before allocating anything.
TEST(StreamLayouts, DamagedCountsRaiseTheReadError) {
  struct Case {
    const char *name;
    std::string bytes;
    std::function<void(TStream &)> read;
    const char *message;
  } cases[] = {
      {"negative pointer count", "FF FF FF FF 00 00",
       [](TStream &s) { ReadUnknownLengthPointer<char16_t>(s); },
       "file read error : ReadUnknownLengthPointer"},
      {"pointer count past the end", "03 00 00 00 61 62",
       [](TStream &s) { ReadUnknownLengthPointer<char>(s); },
       "file read error : ReadUnknownLengthPointer"},
      {"huge pointer count with own maximum", "FF FF FF 7F 61",
       [](TStream &s) { ReadUnknownLengthPointerMaxSize<char>(s, INT32_MAX); },
       "file read error : ReadUnknownLengthPointer"},
      {"negative UTF-16 count", "FE FF FF FF 61 00", [](TStream &s) { ReadWidePchar(s); },
       "file read error : ReadWidePchar"},
      {"huge UTF-16 count", "FF FF FF 7F 61 00", [](TStream &s) { ReadWidePchar(s); },
       "file read error : ReadWidePchar"},
      {"8-bit count past the end", "FF FF 61 62", [](TStream &s) { ReadAnsiPchar(s); },
       "file read error : ReadAnsiPchar"},
      {"negative string count", "FF FF FF FF",
       [](TStream &s) {
         std::u16string t;
         ReadAString(s, t);
       },
       "file read error : ReadAString"},
      {"string count past the end", "03 00 00 00 61 00",
       [](TStream &s) {
         std::u16string t;
         ReadAString(s, 100, t);
       },
       "file read error : ReadAString"},
  };
  for (const Case &c : cases) {
    MemoryStream stream(Hex(c.bytes));
    try {
      c.read(stream);
      ADD_FAILURE() << c.name << ": no error";
    } catch (const FileReadError &e) {
      EXPECT_STREQ(e.what(), c.message) << c.name;
    }
  }
}

// Every proper prefix of a valid record is a truncated stream: every reader raises an error.
TEST(StreamLayouts, TruncatedStreamsRaiseErrors) {
  struct Case {
    const char *name;
    std::string bytes;
    std::function<void(TStream &)> read;
  } cases[] = {
      {"short string", "03 61 62 63", [](TStream &s) { ReadShortString(s); }},
      {"8-bit text", "03 00 61 62 63", [](TStream &s) { ReadAnsiPchar(s); }},
      {"UTF-16 text", "02 00 00 00 68 00 E9 00", [](TStream &s) { ReadWidePchar(s); }},
      {"pointer", "02 00 00 00 41 00 42 00",
       [](TStream &s) { ReadUnknownLengthPointer<char16_t>(s); }},
      {"string", "02 00 00 00 61 00 62 00",
       [](TStream &s) {
         std::u16string t;
         ReadAString(s, t);
       }},
  };
  for (const Case &c : cases) {
    const std::vector<uint8_t> whole = Hex(c.bytes);
    for (size_t cut = 0; cut < whole.size(); ++cut) {
      MemoryStream stream(std::vector<uint8_t>(whole.begin(), whole.begin() + cut));
      EXPECT_THROW(c.read(stream), platform::Error) << c.name << " cut at " << cut;
    }
  }
}

TEST(StreamLayouts, FileStreamWritesShortStrings) {
  const std::string name = platform::MakeUniqueFile(platform::PrivateTempFolder(), "short", ".bin");
  {
    TMyFileStream file(name, platform::FileStream::Mode::kCreate);
    EXPECT_TRUE(file.WriteAShortString("hi"));
    EXPECT_FALSE(file.WriteAShortString(std::string(256, 'x')));
  }
  platform::FileStream file(name, platform::FileStream::Mode::kOpenRead);
  EXPECT_EQ(file.Size(), 3);
  EXPECT_EQ(ReadShortString(file), "hi");
}

}  // namespace
