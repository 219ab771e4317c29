// A large sheet on several threads. Expat reads one stream on one thread,
// and on a sheet of a million cells that is most of the import's time; so
// the rows are cut into pieces at the ends of rows, each piece is parsed by
// a parser of its own between a <sheetData> and a </sheetData> of its own,
// on worker threads, and the pieces' texts are joined in order.
//
// A cut is only looked for in the bytes ("</row>"); whether it was one is
// proved by the piece's parse: a piece parses only when it is whole
// elements at the rows' level (a cut inside a comment, a CDATA section or a
// deeper element leaves something open that the closing </sheetData>
// cannot close). Whatever else is uncertain (a piece that does not parse,
// a date or an error cell, a first row without its number, rows out of
// order, anything unusual before the rows) gives the split up, and the
// sheet is read again in one piece, which says what is wrong exactly as
// it always did.
#include "forces/workbook_split.h"

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>
#include <system_error>
#include <thread>

namespace kuma::xlsx {

namespace {

// Reads a sheet's part up to the first thing inside its sheetData.
class SheetDataStart : public XmlHandler {
 public:
  std::string rowEnd;    // "</row>" with the prefix the sheetData has
  bool inside = false;   // stopped at the first event inside sheetData
  bool unusual = false;  // something a sheet reader acts on came first

  void Start(std::string_view name, const char**) override {
    if (!rowEnd.empty()) {
      inside = true;
      Stop();
    } else if (name == "sheetData") {
      const std::string_view qualified = QualifiedName();
      rowEnd = "</" + std::string(qualified.substr(0, qualified.size() - name.size())) + "row>";
    } else if (IsSheetElement(name)) {
      unusual = true;
      Stop();
    }
  }
  void End(std::string_view name) override {
    if (!rowEnd.empty()) {
      inside = name != "sheetData";  // an empty sheetData: nothing to split
      Stop();
    } else if (IsSheetElement(name) || name == "sheetData") {
      unusual = true;
      Stop();
    }
  }
  void Text(const char*, int) override {
    if (!rowEnd.empty()) {
      inside = true;
      Stop();
    }
  }

 private:
  static bool IsSheetElement(std::string_view name) {
    return name == "row" || name == "c" || name == "v" || name == "is" || name == "t" ||
           name == "rPh";
  }
};

// A piece of the rows as text.
struct SheetPiece {
  std::string text;
  long long rows = 0, firstRow = 0, lastRow = 0;
  bool firstNumbered = false;
  bool ended = false;  // the sheetData's own end is in the piece
  bool sound = false;  // parsed, and nothing in it needs the whole sheet
};

SheetPiece ParsePiece(const SheetContext& context, const std::vector<std::string>& names,
                      const std::vector<long long>& first, TextBounds bounds,
                      const std::string& xml, bool last, const std::string& part) {
  static const std::string open = "<sheetData>", close = "</sheetData>";
  SheetPiece piece;
  try {
    piece.text.reserve(xml.size() / 3);  // the text of numbers is about a quarter of their XML
    // A piece whose text outgrows its XML several times over (long texts
    // referenced again and again) is left to the reading in one piece,
    // which bounds the text of the whole sheet: the pieces on their way
    // stay small whatever they hold.
    bounds.textBytes = std::min(bounds.textBytes, 4 * xml.size() + (64 << 10));
    TextWriter writer(context, piece.text, names, first, bounds, true);
    XmlParse parse(writer);
    parse.Feed(open.data(), open.size(), false, part);
    // Expat copies what it is given into a buffer of its own: a slice at a
    // time keeps that buffer small.
    constexpr std::size_t kSlice = 256 << 10;
    bool going = true;
    for (std::size_t at = 0; going && (at < xml.size() || (at == 0 && last)); at += kSlice) {
      const std::size_t size = std::min(kSlice, xml.size() - at);
      going = parse.Feed(xml.data() + at, size, last && at + size == xml.size(), part);
    }
    if (!going) {
      piece.ended = true;
    } else if (last || parse.Feed(close.data(), close.size(), true, part)) {
      return piece;  // the part ended without the sheetData's end
    }
    piece.rows = writer.Rows();
    piece.firstRow = writer.FirstRow();
    piece.firstNumbered = writer.FirstRowNumbered();
    piece.lastRow = writer.LastRow();
    piece.sound = true;
  } catch (...) {
    piece.sound = false;  // a damaged piece, a date or error cell, no memory
  }
  return piece;
}

// Cuts the part's bytes into pieces, has them parsed on worker threads and
// joins their texts in order.
class SplitSheet {
 public:
  SplitSheet(const SheetContext& context, const std::vector<std::string>& names,
             const std::vector<long long>& first, const TextBounds& bounds, const std::string& part,
             std::size_t pieceBytes, unsigned workers)
      : context_(context),
        names_(names),
        first_(first),
        bounds_(bounds),
        part_(part),
        pieceBytes_(pieceBytes),
        workers_(workers),
        start_(startReader_) {}
  SplitSheet(const SplitSheet&) = delete;
  SplitSheet& operator=(const SplitSheet&) = delete;
  ~SplitSheet() { StopWorkers(); }

  // Takes the part's next block; false once nothing more is wanted.
  bool Take(const char* data, std::size_t size, bool last) {
    if (threads_.empty()) {
      for (unsigned i = 0; i < workers_; ++i) {
        try {
          threads_.emplace_back([this] { Work(); });
        } catch (const std::system_error&) {
          // No thread to be had: those running do the work, and without any
          // the sheet is read in one piece.
          if (threads_.empty()) return GiveUp();
          break;
        }
      }
    }
    // Rows longer than this, or a head before them as long, are not a
    // sheet as spreadsheets write them.
    const std::size_t most = std::max<std::size_t>(16 * pieceBytes_, 16 << 20);
    pending_.append(data, size);
    if (!startReader_.inside) {
      // Still before the rows: the bytes so far are kept to cut from.
      if (start_.Feed(data, size, last, part_)) {
        return !last && pending_.size() <= most ? true : GiveUp();
      }
      if (!startReader_.inside || startReader_.unusual || !Utf8()) return GiveUp();
      cut_ = static_cast<std::size_t>(start_.StopOffset());
    }
    // Pieces of at least pieceBytes_, each up to the end of a row.
    const std::string& rowEnd = startReader_.rowEnd;
    while (pending_.size() - cut_ >= pieceBytes_) {
      const std::size_t at =
          pending_.find(rowEnd, cut_ + std::max(pieceBytes_, rowEnd.size()) - rowEnd.size());
      if (at == std::string::npos) {
        if (pending_.size() - cut_ > most) return GiveUp();
        break;
      }
      const std::size_t end = at + rowEnd.size();
      if (!Hand(pending_.substr(cut_, end - cut_), false)) return false;
      cut_ = end;
    }
    if (last) return Hand(pending_.substr(cut_), true);
    pending_.erase(0, cut_);
    cut_ = 0;
    return true;
  }

  // The sheet's text, or nothing when it must be read in one piece.
  std::optional<std::string> Finish() {
    std::unique_lock<std::mutex> lock(mutex_);
    closed_ = true;
    changed_.notify_all();
    for (;;) {
      JoinReady();
      if (failed_ || ended_ || joined_ == handed_) break;
      changed_.wait(lock);
    }
    lock.unlock();
    StopWorkers();
    if (failed_ || !ended_) return std::nullopt;
    return std::move(text_);
  }

  std::size_t Pieces() const { return handed_; }

 private:
  struct Job {
    std::size_t index;
    std::string xml;
    bool last;
  };

  // The pieces are parsed as UTF-8 (ASCII is a part of it); a part in
  // another encoding (declared, or UTF-16 by its byte order mark) is left
  // whole.
  bool Utf8() const {
    if (pending_.rfind("\xFF\xFE", 0) == 0 || pending_.rfind("\xFE\xFF", 0) == 0) return false;
    const std::string encoding = Lower(start_.Encoding());
    return encoding.empty() || encoding == "utf-8" || encoding == "us-ascii";
  }

  bool GiveUp() {
    std::lock_guard<std::mutex> lock(mutex_);
    failed_ = true;
    changed_.notify_all();
    return false;
  }

  // Queues a piece, once fewer than a few are on their way; false once the
  // split has been given up or the sheet's rows have ended.
  bool Hand(std::string xml, bool last) {
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
      JoinReady();
      if (failed_ || ended_) return false;
      if (handed_ - joined_ < workers_ + 2) break;
      changed_.wait(lock);
    }
    jobs_.push_back({handed_++, std::move(xml), last});
    changed_.notify_all();
    return true;
  }

  // Joins the pieces done, in order (under the lock).
  void JoinReady() {
    for (auto done = done_.find(joined_); done != done_.end(); done = done_.find(joined_)) {
      const SheetPiece piece = std::move(done->second);
      done_.erase(done);
      ++joined_;
      if (failed_ || ended_) continue;  // after the rows' end nothing counts
      if (!piece.sound) {
        failed_ = true;
        continue;
      }
      if (piece.rows > 0) {
        if (!piece.firstNumbered || piece.firstRow <= lastRow_) {
          failed_ = true;
          continue;
        }
        const auto gap = static_cast<std::size_t>(piece.firstRow - 1 - lastRow_);
        if (text_.size() + gap + piece.text.size() > bounds_.textBytes) {
          failed_ = true;  // the reading in one piece says where
          continue;
        }
        text_.append(gap, '\n');
        text_ += piece.text;
        lastRow_ = piece.lastRow;
      }
      ended_ = piece.ended;
    }
  }

  void Work() {
    for (;;) {
      Job job;
      {
        std::unique_lock<std::mutex> lock(mutex_);
        changed_.wait(lock, [this] { return stop_ || failed_ || !jobs_.empty() || closed_; });
        if (stop_ || failed_ || jobs_.empty()) return;
        job = std::move(jobs_.front());
        jobs_.pop_front();
      }
      SheetPiece piece = ParsePiece(context_, names_, first_, bounds_, job.xml, job.last, part_);
      job.xml = std::string();
      std::lock_guard<std::mutex> lock(mutex_);
      done_.emplace(job.index, std::move(piece));
      changed_.notify_all();
    }
  }

  void StopWorkers() {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      stop_ = true;
      changed_.notify_all();
    }
    for (std::thread& thread : threads_) thread.join();
    threads_.clear();
  }

  const SheetContext& context_;
  const std::vector<std::string>& names_;
  const std::vector<long long>& first_;
  const TextBounds bounds_;
  const std::string& part_;
  const std::size_t pieceBytes_;
  const unsigned workers_;
  SheetDataStart startReader_;
  XmlParse start_;
  std::string pending_;  // bytes not yet handed out, from cut_ on
  std::size_t cut_ = 0;

  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<std::thread> threads_;
  std::deque<Job> jobs_;
  std::map<std::size_t, SheetPiece> done_;
  std::size_t handed_ = 0, joined_ = 0;
  bool closed_ = false, stop_ = false, failed_ = false, ended_ = false;
  std::string text_;
  long long lastRow_ = 0;
};

}  // namespace

std::optional<std::string> SplitSheetText(Package& package, const std::string& part,
                                          const SheetContext& context,
                                          const std::vector<std::string>& names,
                                          const std::vector<long long>& first,
                                          const TextBounds& bounds, std::size_t pieceBytes,
                                          unsigned workers, std::size_t& pieces) {
  SplitSheet split(context, names, first, bounds, part, pieceBytes, workers);
  package.Inflate(part, [&split](const char* data, std::size_t size, bool last) {
    return split.Take(data, size, last);
  });
  std::optional<std::string> text = split.Finish();
  if (text) pieces = split.Pieces();
  return text;
}

}  // namespace kuma::xlsx
