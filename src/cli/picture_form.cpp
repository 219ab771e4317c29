#include "cli/picture_form.h"

#include "draw/paint/jpeg_file.h"

namespace kuma {

PictureForm::PictureForm() {
  SetCanvasFactory([this](const std::string& name, int width, int height) {
    Raster& picture = rasters_[name];
    picture.image = std::make_unique<QImage>(width, height, QImage::Format_RGB32);
    picture.image->fill(Qt::white);
    auto canvas = std::make_unique<QImageCanvas>(*picture.image);
    picture.canvas = canvas.get();
    return canvas;
  });
}

void PictureForm::CopyPicture(std::string_view from, std::string_view to) {
  MapForm::Picture(from);
  MapForm::Picture(to);
  Raster& source = rasters_.find(from)->second;
  Raster& target = rasters_.find(to)->second;
  *target.image = source.image->copy();
  target.canvas->SetDrawnOn(source.canvas->DrawnOn());
  MapForm::CopyPicture(from, to);
}

bool PictureForm::SavePicture(const std::string& name, const std::string& path) {
  auto it = rasters_.find(name);
  if (it == rasters_.end() || !it->second.canvas->DrawnOn()) return false;
  WriteJpegFile(path, ToRgbImage(*it->second.image));
  return true;
}

bool PictureForm::EncodePicture(const std::string& name, const std::string& path,
                                std::string& bytes) {
  bytes.clear();
  auto it = rasters_.find(name);
  if (it == rasters_.end() || !it->second.canvas->DrawnOn()) return false;
  bytes = EncodeJpeg(ToRgbImage(*it->second.image), 95, path);
  return true;
}

}  // namespace kuma
