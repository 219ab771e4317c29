// The form reader of kumasec-cli: form files and --set values, including a
// bounded mutation loop over generated form files.

#include "cli/form_reader.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace kuma {
namespace {

// Every edit box's text and every list's position, to compare two forms.
std::vector<std::string> Snapshot(const MapForm& form) {
  std::vector<std::string> values;
  for (const ControlText& c : InitialTexts()) values.push_back(form.Text(c.name));
  for (const ListEntries& l : DropDownLists())
    values.push_back(std::to_string(form.ItemIndex(l.name)));
  return values;
}

// The form after the text, or the usage error's message.
struct Outcome {
  bool ok = false;
  std::string message;
  std::vector<std::string> values;
  bool operator==(const Outcome& o) const {
    return ok == o.ok && message == o.message && values == o.values;
  }
};

Outcome Read(const std::string& text) {
  MapForm form;
  Outcome outcome;
  try {
    ApplyFormText(form, text, "f");
    outcome.ok = true;
    outcome.values = Snapshot(form);
  } catch (const UsageError& e) {
    outcome.message = e.what();
  }
  return outcome;
}

TEST(FormReader, EveryLineEndReadsAlike) {
  const std::string lines[] = {"# circle", "ComboBox1 = 1", "", "  Edit1=\t1000 ", "Edit5=0"};
  Outcome first;
  for (const char* end : {"\n", "\r\n", "\r"}) {
    std::string text = "\xEF\xBB\xBF";
    for (const std::string& line : lines) text += line + end;
    Outcome outcome = Read(text);
    ASSERT_TRUE(outcome.ok) << outcome.message;
    MapForm form;
    ApplyFormText(form, text, "f");
    EXPECT_EQ(form.ItemIndex("ComboBox1"), 1);
    EXPECT_EQ(form.Text("Edit1"), "1000");
    EXPECT_EQ(form.Text("Edit5"), "0");
    if (first.ok) {
      EXPECT_EQ(outcome, first);
    }
    first = outcome;
  }
  // A CR LF is one line end: the error is on line 3 whatever the ends.
  EXPECT_EQ(Read("Edit1=1\r\n\r\nbad\r\n").message, "f:3: expected Name=Text, got 'bad'");
  EXPECT_EQ(Read("Edit1=1\r\rbad\r").message, "f:3: expected Name=Text, got 'bad'");
  EXPECT_EQ(Read("Edit1=1\n\r\nbad").message, "f:3: expected Name=Text, got 'bad'");
}

TEST(FormReader, MistakesNameTheLineAndShowNulBytes) {
  EXPECT_EQ(Read("Edit1=1\nEdit999=2\n").message, "f:2: unknown field 'Edit999'");
  EXPECT_EQ(Read("ComboBox1=8").message, "f:1: no entry at position '8' in ComboBox1 (0..7)");
  EXPECT_EQ(Read(std::string("Ed\0it1=2", 8)).message, "f:1: unknown field 'Ed\\0it1'");
  EXPECT_EQ(Read(std::string("ComboBox1=\0", 11)).message,
            "f:1: no entry at position '\\0' in ComboBox1 (0..7)");
  // A NUL inside an edit box's value is kept; the conversion shows it.
  MapForm form;
  ApplyFormText(form, std::string("Edit1=12\0ab", 11), "f");
  EXPECT_EQ(form.Text("Edit1"), std::string("12\0ab", 5));
  EXPECT_THROW(ApplyFormFile(form, "/"), UsageError);
  EXPECT_THROW(ApplyFormFile(form, ""), UsageError);
}

// ---------------------------------------------------------------------------
// The mutation loop: form files generated from the real control names, then
// mutated byte by byte. Checked on every run: only a UsageError escapes; its
// message is whole (not cut short by a NUL) and names the source and line; an
// accepted file leaves no line end and no outer blank in any box and every
// list at one of its entries; the same file with its line ends made uniform
// (CR LF and CR to LF) reads exactly alike; reading a file twice changes
// nothing more than reading it once.

class Generator {
 public:
  explicit Generator(unsigned seed) : random_(seed) {}

  int Pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random_); }

  std::string Line() {
    static const char* const blanks[] = {"", " ", "\t", "  "};
    static const char* const values[] = {"1000", "-0.0035", "1e308", "1e-308", "abc", "",
                                         "12.5", "0",       "七",    "x=y",    "#"};
    const auto& texts = InitialTexts();
    const auto& lists = DropDownLists();
    switch (Pick(8)) {
      case 0:
        return "# comment " + std::to_string(Pick(100));
      case 1:
        return blanks[Pick(4)];
      case 2: {
        const ListEntries& l = lists[Pick(static_cast<int>(lists.size()))];
        return std::string(l.name) + blanks[Pick(4)] + "=" + blanks[Pick(4)] +
               std::to_string(Pick(static_cast<int>(l.entries.size())));
      }
      default: {
        const ControlText& c = texts[Pick(static_cast<int>(texts.size()))];
        return blanks[Pick(4)] + std::string(c.name) + blanks[Pick(4)] + "=" + blanks[Pick(4)] +
               values[Pick(11)] + blanks[Pick(4)];
      }
    }
  }

  std::string File() {
    static const char* const ends[] = {"\n", "\r\n", "\r"};
    std::string text = Pick(4) == 0 ? "\xEF\xBB\xBF" : "";
    const int lines = 1 + Pick(12);
    for (int i = 0; i < lines; ++i) text += Line() + ends[Pick(3)];
    return text;
  }

  void Mutate(std::string& text, const std::string& other) {
    static const char interesting[] = {'\0',   '\r',   '\n',   '=', '#', ' ', '\t', '\xEF',
                                       '\xBB', '\xBF', '\xFF', '0', '9', '-', 'E',  '.'};
    const int count = 1 + Pick(6);
    for (int k = 0; k < count; ++k) {
      const int size = static_cast<int>(text.size());
      const int at = Pick(size + 1);
      switch (Pick(5)) {
        case 0:
          text.insert(text.begin() + at, interesting[Pick(sizeof interesting)]);
          break;
        case 1:
          if (at < size) text[at] = static_cast<char>(Pick(256));
          break;
        case 2:
          if (at < size) text.erase(at, 1 + Pick(std::min(8, size - at)));
          break;
        case 3:
          if (at < size) text.insert(at, text.substr(at, 1 + Pick(16)));
          break;
        default:
          text.insert(at, other.substr(0, static_cast<std::size_t>(Pick(40))));
          break;
      }
    }
  }

 private:
  std::mt19937 random_;
};

std::string UniformLineEnds(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r') {
      out += '\n';
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

// What must hold for every outcome; returns a description of a finding.
std::string Check(const std::string& text) {
  Outcome outcome;
  try {
    outcome = Read(text);
  } catch (const std::exception& e) {
    return std::string("unexpected exception: ") + e.what();
  }
  if (!outcome.ok) {
    // Every message ends with its closing quote or bracket; a NUL byte
    // would have cut it short.
    const char last = outcome.message.empty() ? ' ' : outcome.message.back();
    if (last != '\'' && last != ')') return "message cut short: " + outcome.message;
    if (outcome.message.rfind("f:", 0) != 0) return "message without line: " + outcome.message;
  } else {
    for (const std::string& v : outcome.values) {
      if (v.find_first_of("\r\n") != std::string::npos) return "line end in a value";
      if (!v.empty() &&
          (v.front() == ' ' || v.back() == ' ' || v.front() == '\t' || v.back() == '\t'))
        return "untrimmed value '" + v + "'";
    }
    MapForm twice;
    ApplyFormText(twice, text, "f");
    ApplyFormText(twice, text, "f");
    if (Snapshot(twice) != outcome.values) return "reading twice differs";
  }
  if (!(Read(UniformLineEnds(text)) == outcome)) return "line ends change the reading";
  return "";
}

TEST(FormReader, BoundedMutationLoopFindsNothing) {
  Generator generate(20261207);
  constexpr int kRuns = 20000;
  int accepted = 0;
  std::string previous = generate.File();
  for (int run = 0; run < kRuns; ++run) {
    std::string text = generate.File();
    if (run % 4 != 0) generate.Mutate(text, previous);
    previous = text;
    const std::string finding = Check(text);
    ASSERT_EQ(finding, "") << "run " << run << ", input:\n" << ::testing::PrintToString(text);
    MapForm form;
    try {
      ApplyFormText(form, text, "f");
      ++accepted;
    } catch (const UsageError&) {
    }
  }
  // Both sides of the reader are exercised.
  EXPECT_GT(accepted, kRuns / 10);
  EXPECT_LT(accepted, kRuns * 9 / 10);
  std::printf("form reader mutation loop: %d runs, %d accepted\n", kRuns, accepted);
}

}  // namespace
}  // namespace kuma
