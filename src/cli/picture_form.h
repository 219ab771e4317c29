#pragma once
// A form whose pictures are real raster images, for the charts command: each
// picture is a QImage of the control's size painted through a QImageCanvas.

#include <QImage>
#include <map>
#include <memory>
#include <string>

#include "draw/paint/qimage_canvas.h"
#include "model/form.h"

namespace kuma {

class PictureForm : public MapForm {
 public:
  PictureForm();
  // Copies the image and whether it has been drawn on, as the window's
  // pictures do.
  void CopyPicture(std::string_view from, std::string_view to) override;
  // Writes the picture as a JPEG file if it has ever been drawn on; returns
  // whether a file was written.
  bool SavePicture(const std::string& name, const std::string& path);
  // The JPEG file SavePicture would write, in memory; false (and no bytes)
  // for a picture never drawn on. `path` names the file in messages.
  bool EncodePicture(const std::string& name, const std::string& path, std::string& bytes);

 private:
  struct Raster {
    std::unique_ptr<QImage> image;
    QImageCanvas* canvas = nullptr;  // owned by the MapForm
  };
  std::map<std::string, Raster, std::less<>> rasters_;
};

}  // namespace kuma
