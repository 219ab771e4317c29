#pragma once
// The numbers that describe the section, copied from the form before every
// command that meshes. The same field serves different quantities in
// different section kinds (see ReadSectionParameters).

namespace kuma {

// SectionType: the position of ComboBox1's entry plus one. Names of the
// kinds for tests and examples; what each kind is and how it behaves is its
// row in the kinds' table (model/section_kind.h).
enum SectionKind : int {
  RectRc = 1,          // 矩形混凝土柱
  CircleRc = 2,        // 圆形混凝土柱
  RectSteelRc1 = 3,    // 矩形钢骨柱1
  RectSteelRc2 = 4,    // 矩形钢骨柱2
  CircleCfst = 5,      // 圆形钢管混凝土柱
  RectCfst = 6,        // 矩形钢管混凝土柱
  CircleSteelRc = 7,   // 圆形钢骨柱
  RectComposite = 8,   // 矩形叠合柱
};

struct SectionParameters {
  double B = 0, H = 0, as = 0;
  int rX = 0, cX = 0;
  double dX = 0;
  int rY = 0, cY = 0;
  double dY = 0;
  int nc = 0;
  double dc = 0;
  int nx = 0, ny = 0;
  double h = 0, b = 0, tf = 0, tw = 0;
  double hX = 0, bX = 0, tfX = 0, twX = 0;
  int nf = 0, nw = 0;
  int coverLayers = 1;  // Edit93: layers of fibers across the cover concrete
};

}  // namespace kuma
