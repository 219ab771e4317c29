#include "report/pdf/pdf_report.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <functional>
#include <vector>

#include "draw/paint/painter_canvas.h"
#include "draw/paint/qimage_canvas.h"
#include "model/atomic_file.h"

namespace kuma {

namespace {

// Page geometry in points (the writer runs at 72 dots per inch): A4 with
// margins of about 18 mm at the sides.
constexpr double kPageWidth = 595.0, kPageHeight = 842.0;
constexpr double kLeft = 51.0, kRight = kPageWidth - 51.0;
constexpr double kTop = 56.0, kBottom = kPageHeight - 60.0;
constexpr double kFigureHeight = 300.0;  // largest height of a row of figures
constexpr double kFigureGap = 14.0;
const QColor kRuleColour(150, 150, 150);
const QColor kHeaderFill(232, 232, 232);
// Cells wrap at word boundaries (between Chinese characters too).
constexpr int kCellWrap = Qt::TextWordWrap;

QString Q(const std::string& text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QFont TextFont(double points, bool bold = false) {
  QFont font(QStringLiteral("WenQuanYi Micro Hei"));
  font.setPointSizeF(points);
  font.setBold(bold);
  return font;
}

// A canvas over the page's painter, moved and scaled to a figure's box.
class PageCanvas : public PainterCanvas {
 public:
  PageCanvas(QPainter& painter, int width, int height)
      : painter_(painter), width_(width), height_(height) {}
  int Width() const override { return width_; }
  int Height() const override { return height_; }

 protected:
  void Paint(const std::function<void(QPainter&)>& step) override {
    painter_.save();
    step(painter_);
    painter_.restore();
  }

 private:
  QPainter& painter_;
  int width_, height_;
};

using PaintStep = std::function<void(QPainter&)>;

// Places the blocks on pages: each page is a list of painting steps, so the
// number of pages is known before anything is painted.
class PageLayout {
 public:
  explicit PageLayout(QPaintDevice* device) : device_(device) { NewPage(); }

  std::vector<std::vector<PaintStep>> pages;

  void Title(const std::string& text) {
    const QFont font = TextFont(18, true);
    const double height = QFontMetricsF(font, device_).height();
    Add([font, text, top = y_, height](QPainter& p) {
      p.setFont(font);
      p.setPen(Qt::black);
      p.drawText(QRectF(kLeft, top, kRight - kLeft, height), Qt::AlignCenter, Q(text));
    });
    y_ += height + 14;
  }

  void Heading(const std::string& text) {
    const QFont font = TextFont(12.5, true);
    const double height = QFontMetricsF(font, device_).height();
    if (y_ > kTop) y_ += 10;
    Ensure(height + 80);  // never a heading alone at the foot of a page
    Add([font, text, top = y_, height](QPainter& p) {
      p.setFont(font);
      p.setPen(Qt::black);
      p.drawText(QRectF(kLeft, top, kRight - kLeft, height), Qt::AlignLeft | Qt::AlignVCenter,
                 Q(text));
    });
    y_ += height + 6;
  }

  void Paragraph(const std::string& text) {
    if (text.find('\n') != std::string::npos) {
      Lines(text);
      return;
    }
    const QFont font = TextFont(9.5);
    const QRectF box =
        QFontMetricsF(font, device_)
            .boundingRect(QRectF(0, 0, kRight - kLeft, 1e6), Qt::TextWordWrap, Q(text));
    Ensure(box.height());
    Add([font, text, top = y_, height = box.height()](QPainter& p) {
      p.setFont(font);
      p.setPen(Qt::black);
      p.drawText(QRectF(kLeft, top, kRight - kLeft, height + 2), Qt::TextWordWrap, Q(text));
    });
    y_ += box.height() + 6;
  }

  // A paragraph of several lines (a calculation sheet): each line wrapped on
  // its own, close below the one before, so that a long sheet runs onto the
  // next page between its lines.
  void Lines(const std::string& text) {
    const QFont font = TextFont(9);
    const QFontMetricsF metrics(font, device_);
    std::size_t start = 0;
    while (start <= text.size()) {
      const std::size_t end = std::min(text.find('\n', start), text.size());
      const std::string line = text.substr(start, end - start);
      const QRectF box =
          metrics.boundingRect(QRectF(0, 0, kRight - kLeft, 1e6), Qt::TextWordWrap, Q(line));
      const double height = std::max(box.height(), metrics.height());
      Ensure(height);
      Add([font, line, top = y_, height](QPainter& p) {
        p.setFont(font);
        p.setPen(Qt::black);
        p.drawText(QRectF(kLeft, top, kRight - kLeft, height + 2), Qt::TextWordWrap, Q(line));
      });
      y_ += height + 1;
      start = end + 1;
    }
    y_ += 6;
  }

  // Rows of cells with thin rules; the header row repeats on every page the
  // table runs onto. Shaded columns (the names of a title block) get the
  // header's fill.
  void Table(const ReportTable& table, const std::vector<int>& shadedColumns = {}) {
    const QFont font = TextFont(8.5), bold = TextFont(8.5, true);
    const double rowHeight = QFontMetricsF(font, device_).height() + 5;
    const std::vector<double> x = ColumnEdges(table);
    auto header = [&] {
      if (table.header.empty()) return;
      AddRow(table.header, x, RowHeight(table.header, x, bold, rowHeight), bold, true, {});
    };
    const double headerHeight =
        table.header.empty() ? 0 : RowHeight(table.header, x, bold, rowHeight);
    const double firstHeight =
        table.rows.empty() ? rowHeight : RowHeight(table.rows.front(), x, font, rowHeight);
    Ensure(headerHeight + firstHeight);
    header();
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
      const double height = RowHeight(table.rows[r], x, font, rowHeight);
      if (y_ + height > kBottom) {
        NewPage();
        header();
      }
      const bool red = r < table.red.size() && table.red[r];
      AddRow(table.rows[r], x, height, font, false, shadedColumns, red);
    }
    y_ += 8;
  }

  // A row of figures in `columns` equal places (at least one per figure),
  // all at one scale, each centred in its place over its caption.
  void Figures(const std::vector<ReportFigure>& figures, int columns) {
    if (figures.empty()) return;
    const auto n = static_cast<double>(
        std::max<std::size_t>(figures.size(), static_cast<std::size_t>(std::max(columns, 0))));
    const double cell = (kRight - kLeft - kFigureGap * (n - 1)) / n;
    double scale = 1e9, height = 0;
    for (const ReportFigure& f : figures) {
      scale = std::min({scale, cell / f.width, kFigureHeight / f.height});
    }
    for (const ReportFigure& f : figures) height = std::max(height, f.height * scale);
    const QFont font = TextFont(9);
    const double captionHeight = QFontMetricsF(font, device_).height();
    Ensure(height + captionHeight + 6);
    for (std::size_t i = 0; i < figures.size(); ++i) {
      const double left = kLeft + static_cast<double>(i) * (cell + kFigureGap);
      const ReportFigure& f = figures[i];
      const double offset = (cell - f.width * scale) / 2;
      Add([f, left, offset, scale, top = y_, height, cell, font, captionHeight](QPainter& p) {
        p.save();
        p.translate(left + offset, top);
        p.scale(scale, scale);
        p.setClipRect(QRectF(0, 0, f.width, f.height));
        PageCanvas canvas(p, f.width, f.height);
        f.draw(canvas);
        p.restore();
        p.setFont(font);
        p.setPen(Qt::black);
        p.drawText(QRectF(left, top + height + 3, cell, captionHeight), Qt::AlignCenter,
                   Q(f.caption));
      });
    }
    y_ += height + captionHeight + 12;
  }

  void PageBreak() {
    if (y_ > kTop) NewPage();
  }

 private:
  void NewPage() {
    pages.emplace_back();
    y_ = kTop;
  }
  void Ensure(double height) {
    if (y_ + height > kBottom && y_ > kTop) NewPage();
  }
  void Add(PaintStep step) { pages.back().push_back(std::move(step)); }

  static std::vector<double> ColumnEdges(const ReportTable& table) {
    double total = 0;
    for (double w : table.widths) total += w;
    std::vector<double> x = {kLeft};
    for (double w : table.widths) x.push_back(x.back() + (kRight - kLeft) * w / total);
    return x;
  }

  // A row is as high as its tallest cell once the cells wrap in their
  // columns, at least one line.
  double RowHeight(const std::vector<std::string>& cells, const std::vector<double>& x,
                   const QFont& font, double least) const {
    const QFontMetricsF metrics(font, device_);
    double height = least;
    for (std::size_t c = 0; c + 1 < x.size() && c < cells.size(); ++c) {
      const QRectF box =
          metrics.boundingRect(QRectF(0, 0, x[c + 1] - x[c] - 6, 1e6), kCellWrap, Q(cells[c]));
      height = std::max(height, box.height() + 5);
    }
    return height;
  }

  void AddRow(const std::vector<std::string>& cells, const std::vector<double>& x, double height,
              const QFont& font, bool header, const std::vector<int>& shaded, bool red = false) {
    Add([cells, x, height, font, header, shaded, red, top = y_](QPainter& p) {
      p.setFont(font);
      const QFontMetricsF metrics(font, p.device());
      for (std::size_t c = 0; c + 1 < x.size(); ++c) {
        const QRectF box(x[c], top, x[c + 1] - x[c], height);
        const bool fill =
            header || std::find(shaded.begin(), shaded.end(), static_cast<int>(c)) != shaded.end();
        if (fill) p.fillRect(box, kHeaderFill);
        p.setPen(QPen(kRuleColour, 0.5));
        p.drawRect(box);
        p.setPen(red ? QColor(200, 0, 0) : QColor(Qt::black));
        const QString text = c < cells.size() ? Q(cells[c]) : QString();
        p.drawText(box.adjusted(3, 0, -3, 0), Qt::AlignVCenter | Qt::AlignLeft | kCellWrap, text);
      }
      p.setPen(Qt::black);  // what follows the row is black
    });
    y_ += height;
  }

  QPaintDevice* device_;
  double y_ = kTop;
};

void PaintFrame(QPainter& p, const CalcReport& report, int page, int pages) {
  p.setPen(QPen(kRuleColour, 0.5));
  p.drawLine(QPointF(kLeft, kBottom + 14), QPointF(kRight, kBottom + 14));
  p.setPen(Qt::black);
  p.setFont(TextFont(8));
  const QRectF footer(kLeft, kBottom + 18, kRight - kLeft, 14);
  p.drawText(footer, Qt::AlignLeft | Qt::AlignVCenter, Q(report.footer));
  p.drawText(footer, Qt::AlignRight | Qt::AlignVCenter,
             QStringLiteral("第 %1 页 / 共 %2 页").arg(page).arg(pages));
  if (page > 1) {
    const QRectF header(kLeft, kTop - 26, kRight - kLeft, 14);
    p.drawText(header, Qt::AlignRight | Qt::AlignVCenter, Q(report.title));
    p.setPen(QPen(kRuleColour, 0.5));
    p.drawLine(QPointF(kLeft, kTop - 10), QPointF(kRight, kTop - 10));
  }
}

void LayOut(const CalcReport& report, PageLayout& layout) {
  layout.Title(report.title);
  layout.Table(report.titleBlock, {0, 2});
  for (const ReportBlock& block : report.blocks) {
    switch (block.kind) {
      case ReportBlock::Kind::Heading:
        layout.Heading(block.text);
        break;
      case ReportBlock::Kind::Paragraph:
        layout.Paragraph(block.text);
        break;
      case ReportBlock::Kind::Table:
        layout.Table(block.table);
        break;
      case ReportBlock::Kind::Figures:
        layout.Figures(block.figures, block.columns);
        break;
      case ReportBlock::Kind::PageBreak:
        layout.PageBreak();
        break;
    }
  }
}

}  // namespace

QByteArray RenderPdfReport(const CalcReport& report) {
  EnsurePaintingApplication();
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  {
    QPdfWriter writer(&buffer);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setResolution(72);
    writer.setTitle(Q(report.title));
    writer.setCreator(QStringLiteral("KumaSec 1.3"));
    PageLayout layout(&writer);
    LayOut(report, layout);

    QPainter painter(&writer);
    painter.setRenderHint(QPainter::Antialiasing, true);
    const int pages = static_cast<int>(layout.pages.size());
    for (int i = 0; i < pages; ++i) {
      if (i > 0) writer.newPage();
      for (const PaintStep& step : layout.pages[static_cast<std::size_t>(i)]) step(painter);
      PaintFrame(painter, report, i + 1, pages);
    }
    painter.end();
  }
  buffer.close();
  return bytes;
}

void WritePdfReport(const std::string& path, const CalcReport& report) {
  const QByteArray bytes = RenderPdfReport(report);
  WriteFileAtomic(path,
                  std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

}  // namespace kuma
