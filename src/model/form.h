#pragma once
// The form: every control the commands read or write, addressed by its
// control name ("Edit14", "ComboBox1", "Label66", "StringGrid1", "Image2",
// "ProgressBar1", "Memo1"). The window implements it over its widgets (whose
// object names are these control names); MapForm implements it over plain
// maps for kumasec-cli and the tests. Texts are UTF-8.

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "model/canvas.h"
#include "model/text_table.h"

namespace kuma {

class Form {
 public:
  virtual ~Form() = default;

  // Text of an edit box (or caption of a label).
  virtual std::string Text(std::string_view name) const = 0;
  virtual void SetText(std::string_view name, const std::string& text) = 0;
  // 0-based position of a drop-down list's selected entry.
  virtual int ItemIndex(std::string_view name) const = 0;
  virtual void SetItemIndex(std::string_view name, int index) = 0;
  virtual void SetVisible(std::string_view name, bool visible) = 0;

  virtual void SetGridRowCount(std::string_view grid, int rows) = 0;
  virtual void SetGridCell(std::string_view grid, int col, int row, const std::string& text) = 0;
  // Shows a whole table in a grid (row 0 its header), sized to the table.
  // Grids that can hold the table itself share it; the default copies the
  // cells one by one.
  virtual void SetGridTable(std::string_view grid, std::shared_ptr<const TextTable> table);
  // Background of a grid row (row 1 and on); white gives the row back its
  // plain look. Forms that cannot colour rows ignore it.
  virtual void SetGridRowColour(std::string_view grid, int row, Rgb colour) {
    (void)grid;
    (void)row;
    (void)colour;
  }
  virtual void SetMemoLines(std::string_view memo, const std::vector<std::string>& lines) = 0;
  virtual void SetProgress(std::string_view bar, int position) = 0;

  // The drawing surface of a picture control ("Image1".."Image10").
  virtual Canvas& Picture(std::string_view name) = 0;
  // Replaces the picture `to` with a copy of the picture `from`.
  virtual void CopyPicture(std::string_view from, std::string_view to) = 0;

  // Conversions of a box's text; failures raise the standard messages.
  double Float(std::string_view name) const;
  int Integer(std::string_view name) const;
};

// Initial text of every edit box, in control-name order.
struct ControlText {
  const char* name;
  const char* text;
};
const std::vector<ControlText>& InitialTexts();

// Entries of every drop-down list; the initial selection is entry 0.
struct ListEntries {
  const char* name;
  std::vector<const char*> entries;
};
const std::vector<ListEntries>& DropDownLists();

// Width and height in pixels of a picture control; {0, 0} for unknown names.
PixelPoint PictureSize(std::string_view name);

// A form held in maps, starting with every box at its initial text and every
// list at its first entry.
class MapForm : public Form {
 public:
  using CanvasFactory =
      std::function<std::unique_ptr<Canvas>(const std::string& name, int width, int height)>;

  MapForm();
  // Pictures are created on first use by the factory (default: a canvas that
  // knows its size and ignores drawing).
  void SetCanvasFactory(CanvasFactory factory) { factory_ = std::move(factory); }

  bool HasControl(std::string_view name) const;
  int ListSize(std::string_view name) const;  // -1 when not a list

  std::string Text(std::string_view name) const override;
  void SetText(std::string_view name, const std::string& text) override;
  int ItemIndex(std::string_view name) const override;
  void SetItemIndex(std::string_view name, int index) override;
  void SetVisible(std::string_view name, bool visible) override;
  bool Visible(std::string_view name) const;  // true unless hidden

  void SetGridRowCount(std::string_view grid, int rows) override;
  void SetGridCell(std::string_view grid, int col, int row, const std::string& text) override;
  void SetGridTable(std::string_view grid, std::shared_ptr<const TextTable> table) override;
  int GridRowCount(std::string_view grid) const;
  std::string GridCell(std::string_view grid, int col, int row) const;
  void SetGridRowColour(std::string_view grid, int row, Rgb colour) override;
  Rgb GridRowColour(std::string_view grid, int row) const;  // white unless coloured
  void SetMemoLines(std::string_view memo, const std::vector<std::string>& lines) override;
  std::vector<std::string> MemoLines(std::string_view memo) const;
  void SetProgress(std::string_view bar, int position) override;
  int Progress(std::string_view bar) const;

  Canvas& Picture(std::string_view name) override;
  void CopyPicture(std::string_view from, std::string_view to) override;
  // Names of pictures copied so far as "from>to", for tests.
  const std::vector<std::string>& Copies() const { return copies_; }

 private:
  struct Grid {
    int rows = 0;
    std::map<std::pair<int, int>, std::string> cells;
    std::shared_ptr<const TextTable> table;  // shown instead of `cells` when set
    std::map<int, Rgb> rowColours;
  };
  // Turns a shared table into cells before single cells are written.
  static void TakeCells(Grid& grid);
  std::map<std::string, std::string, std::less<>> texts_;
  std::map<std::string, int, std::less<>> items_;
  std::map<std::string, int, std::less<>> listSizes_;
  std::map<std::string, bool, std::less<>> visible_;
  std::map<std::string, Grid, std::less<>> grids_;
  std::map<std::string, std::vector<std::string>, std::less<>> memos_;
  std::map<std::string, int, std::less<>> progress_;
  std::map<std::string, std::unique_ptr<Canvas>, std::less<>> pictures_;
  std::vector<std::string> copies_;
  CanvasFactory factory_;
};

// A canvas that knows its size and ignores every drawing call.
class NullCanvas : public Canvas {
 public:
  NullCanvas(int width, int height) : width_(width), height_(height) {}
  int Width() const override { return width_; }
  int Height() const override { return height_; }
  void SetPenColor(Rgb) override {}
  void SetPenWidth(int) override {}
  void SetBrushColor(Rgb) override {}
  void SetBrushClear() override {}
  void SetFontColor(Rgb) override {}
  void Rectangle(int, int, int, int) override {}
  void Polygon(const std::vector<PixelPoint>&) override {}
  void Ellipse(int, int, int, int) override {}
  void MoveTo(int, int) override {}
  void LineTo(int, int) override {}
  void TextOut(int, int, const std::string&) override {}

 private:
  int width_, height_;
};

}  // namespace kuma
