#include "engine/archive/archive_reader.h"

#include <gtest/gtest.h>

#include <chrono>

#include "support/archive_writer.h"
#include "support/test_dir.h"

namespace vuzed {
namespace {

using test::ArchiveItem;
using test::ArchiveSpec;
using test::MakeArchive;
using test::PairBlock;
using test::PairMap;

const std::string kNotAnArchive = "Zazavive Archiveの扱えるデータではありません";

std::string Le32(uint32_t v) { return {char(v), char(v >> 8), char(v >> 16), char(v >> 24)}; }

std::string Extract(const std::string& archive, const std::string& id, uint32_t max = kMaxArchiveEntrySize) {
  std::istringstream in(archive);
  auto entry = ExtractFromStream(in, id, max);
  EXPECT_EQ(entry->tellg(), 0);
  return entry->str();
}

// The message of the EVRKError that f raises, or "(no error)".
template <typename F>
std::string ErrorOf(F&& f) {
  try {
    f();
  } catch (const EVRKError& e) {
    return e.what();
  }
  return "(no error)";
}

// ---- Table and lookup ----

TEST(ArchiveReader, TheTableListsEveryEntryInOrder) {
  ArchiveSpec spec;
  spec.Flag = 1;
  spec.Items = {{"a.bmp", "xyz", 9u, {}, {}}, {std::string(300, 'n'), "", {}, {}, 7u}};
  std::istringstream in(MakeArchive(spec));
  const TArchiveTable table = ReadArchiveTable(in);
  EXPECT_TRUE(table.Compressed);
  ASSERT_EQ(table.Entries.size(), 2u);
  EXPECT_EQ(table.Entries[0].Name, "a.bmp");
  EXPECT_EQ(table.Entries[0].Offset, 256u + 2 * 268);
  EXPECT_EQ(table.Entries[0].StoredSize, 3u);
  EXPECT_EQ(table.Entries[0].UnpackedSize, 9u);
  EXPECT_EQ(table.Entries[1].Name, std::string(255, 'n'));  // the writer keeps the terminator
  EXPECT_EQ(table.Entries[1].Offset, 7u);

  spec.Flag = 2;  // only 1 means compressed
  std::istringstream plain(MakeArchive(spec));
  EXPECT_FALSE(ReadArchiveTable(plain).Compressed);
}

TEST(ArchiveReader, IdsMatchIgnoringAsciiCaseAndTheFirstEntryWins) {
  // "\x83\x41" and "\x83\x61" are two different Shift-JIS characters whose
  // second bytes happen to be 'A' and 'a'.
  const std::string archive =
      test::PlainArchive({{"Title.BMP", "first"}, {"title.bmp", "second"}, {"\x83\x41x", "sjis"}, {"e\xC9", "latin"}});
  const struct {
    std::string Id, Want;
  } rows[] = {
      {"Title.BMP", "first"}, {"TITLE.bmp", "first"},  {"title.bmp", "first"},
      {"\x83\x41X", "sjis"},  {"\x83\x61x", "(none)"}, {"E\xC9", "latin"},
      {"e\xE9", "(none)"},    {"Title", "(none)"},     {"", "(none)"},
  };
  for (const auto& row : rows) {
    std::string got;
    try {
      got = Extract(archive, row.Id);
    } catch (const EVRKError& e) {
      got = "(none)";
      EXPECT_EQ(e.what(), "アーカイブ内には指定されたID '" + row.Id + "' を持つデータが見つかりません");
    }
    EXPECT_EQ(got, row.Want) << row.Id;
  }
}

TEST(ArchiveReader, AStoredEntryIsExactlyItsUnpackedSizeLong) {
  ArchiveSpec spec;
  spec.Items = {{"short", "abcdefgh", 5u, 99u, {}}, {"bin", std::string("\0\xff\r\n", 4), {}, {}, {}}};
  const std::string archive = MakeArchive(spec);
  EXPECT_EQ(Extract(archive, "short"), "abcde");
  EXPECT_EQ(Extract(archive, "bin"), std::string("\0\xff\r\n", 4));
}

TEST(ArchiveReader, CompressedEntriesRoundTrip) {
  std::string picture;
  for (int i = 0; i < 5000; ++i) picture += (i % 7 == 0) ? char('a' + i % 13) : "BM\0\0\xff\x10"[i % 6];
  const std::string text = "ABABABABABAB CDCDCDCD ABCDABCDABCD";
  const std::string packed = test::PackPairs(picture);
  ASSERT_LT(packed.size(), picture.size() * 3 / 4);  // the encoder really replaced pairs
  const std::string archive = test::PackedArchive({{"pic.bmp", picture}, {"text", text}, {"empty", ""}});
  EXPECT_EQ(Extract(archive, "PIC.BMP"), picture);
  EXPECT_EQ(Extract(archive, "text"), text);
  EXPECT_EQ(Extract(archive, "empty"), "");

  test::TempDir dir;
  const std::string path = dir.Write("a.vaz", archive).string();
  EXPECT_EQ(ExtractFromArchive(path, "text")->str(), text);
  EXPECT_NE(ErrorOf([&] { ExtractFromArchive(path + ".gone", "text"); }).find(path + ".gone"), std::string::npos);
}

// ---- Pair expansion ----

TEST(ArchiveReader, PairTablesExpandByTheirRunRules) {
  const struct {
    const char* What;
    std::string Packed;
    uint32_t Unpacked;
    std::string Want;
  } rows[] = {
      {"all literal", PairBlock({}, std::string("hel\0lo\xff", 7)), 7, std::string("hel\0lo\xff", 7)},
      // Skip 65 values, then one entry ('A' = "xy") although the count was
      // reset to 0; skip 128, one literal entry at 194, skip 61 to 256.
      {"entry after skip", "\xC0xy\xFF\xC2\xBC" + Le32(3) + "AbA", 5, "xybxy"},
      // Count 1: two entries, 0 a literal (no right byte) and 1 = "ab"; skip
      // 128, one literal entry at 130, skip 125 to 256.
      {"counted run", std::string("\x01\0ab\xFF\x82\xFC", 7) + Le32(2) + std::string("\0\1", 2), 3,
       std::string("\0ab", 3)},
      {"left first", PairBlock({{'X', {'Y', 'c'}}, {'Y', {'a', 'b'}}}, "XdX"), 7, "abcdabc"},
      {"table resets per block", PairBlock({{'A', {'x', 'y'}}}, "A") + PairBlock({}, "A"), 3, "xyA"},
      {"short output padded", PairBlock({}, "ab"), 4, std::string("ab\0\0", 4)},
      {"no blocks", "", 0, ""},
  };
  for (const auto& row : rows) {
    std::string got;
    EXPECT_NO_THROW(got = ExpandPairs(row.Packed, row.Unpacked)) << row.What;
    EXPECT_EQ(got, row.Want) << row.What;
  }
}

TEST(ArchiveReader, HostilePairDataStopsWithAnError) {
  // A chain of 13 doublings: one byte expands to 8192.
  PairMap doubling;
  for (int i = 1; i <= 13; ++i) doubling[uint8_t(i)] = {uint8_t(i == 1 ? 'z' : i - 1), uint8_t(i == 1 ? 'z' : i - 1)};
  const struct {
    const char* What;
    std::string Packed;
    uint32_t Unpacked;
    const char* Says;
  } rows[] = {
      {"cycle through left halves", PairBlock({{'A', {'B', 'x'}}, {'B', {'A', 'x'}}}, "A"), 100, "deeper than 256"},
      {"cycle through right halves", PairBlock({{'A', {'x', 'A'}}}, "A"), 100, "expands past its 100"},
      {"output far past the promise", PairBlock(doubling, "\x0D"), 10, "expands past its 10"},
      {"table cut short", "\x01\0a", 5, "ends inside a pair table"},
      {"length cut short", PairBlock({}, "").substr(0, 5) + "\1", 5, "ends inside a block length"},
      {"block longer than the data", test::PairTable({}) + Le32(10) + "abc", 5, "block of 10 packed bytes"},
      {"run past 255", "\xFF\xC7\x40\x7F" + std::string(300, 'a'), 5, "past byte value 255"},
      {"skip past 256", "\xFF\x80\xFF", 5, "past byte value 255"},
  };
  for (const auto& row : rows) {
    const auto start = std::chrono::steady_clock::now();
    const std::string message = ErrorOf([&] { ExpandPairs(row.Packed, row.Unpacked); });
    EXPECT_NE(message.find(row.Says), std::string::npos) << row.What << ": " << message;
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5)) << row.What;
  }
  // The deepest chain a table can hold without a cycle still expands: every
  // value but 0 is a pair, each level leaving a 0 on the stack.
  PairMap deepest;
  for (int c = 1; c < 256; ++c) deepest[uint8_t(c)] = {uint8_t(c - 1), 0};
  EXPECT_EQ(ExpandPairs(PairBlock(deepest, "\xFF"), 256), std::string(256, '\0'));
}

// ---- Damaged archives ----

TEST(ArchiveReader, DamagedArchivesRaiseClearErrors) {
  auto plain = [](ArchiveItem item, uint32_t flag = 0) {
    ArchiveSpec spec;
    spec.Flag = flag;
    spec.Items = {std::move(item)};
    return MakeArchive(spec);
  };
  ArchiveSpec badMagic;
  badMagic.Magic = "VAZ1";
  ArchiveSpec huge;
  huge.Count = 0xFFFFFFFFu;
  ArchiveSpec oneMissing;
  oneMissing.Items = {{"a", "1", {}, {}, {}}};
  oneMissing.Count = 2;
  const std::string twoEntries = test::PlainArchive({{"a", "1"}, {"b", "2"}});
  const struct {
    const char* What;
    std::string Archive;
    const char* Says;
    uint32_t Max = kMaxArchiveEntrySize;
  } rows[] = {
      {"wrong magic", MakeArchive(badMagic), "Zazavive Archiveの扱えるデータではありません"},
      {"empty file", "", "Zazavive Archiveの扱えるデータではありません"},
      {"short header", MakeArchive({}).substr(0, 100), "truncated"},
      {"huge entry count", MakeArchive(huge), "4294967295 entries need"},
      {"table one entry short", MakeArchive(oneMissing), "truncated"},
      {"table cut inside an entry", twoEntries.substr(0, 256 + 268 + 100), "truncated"},
      {"offset 0", plain({"id", "data", {}, {}, 0u}), "'id' has no data offset"},
      {"offset past the end", plain({"id", "data", {}, {}, 100000u}), "'id' needs bytes 100000"},
      {"plain size past the end", plain({"id", "data", 5u, {}, {}}), "'id' needs bytes"},
      {"packed size past the end", plain({"id", "data", 4u, 0xFFFFFFF0u, {}}, 1), "'id' needs bytes"},
      {"promise over the limit", plain({"id", "data", 4000u, {}, {}}), "promises 4000 bytes", 1000},
      {"damaged packed data", plain({"id", "\x01", 4u, {}, {}}, 1), "'id': packed data ends"},
  };
  for (const auto& row : rows) {
    const std::string message = ErrorOf([&] { Extract(row.Archive, "id", row.Max); });
    EXPECT_NE(message.find(row.Says), std::string::npos) << row.What << ": " << message;
  }
  EXPECT_EQ(ErrorOf([] { Extract("xxxxVAZ1", "id"); }), kNotAnArchive);
}

}  // namespace
}  // namespace vuzed
