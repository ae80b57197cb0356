#pragma once

#include <QImage>
#include <string_view>

#include "resources/encoding/picture_pack.h"

namespace picgen {

// Collects the drawn pictures, encoded the way the program stores them.
class PictureSet {
  public:
    void addGif(int id, const QImage& image);
    void addJpeg(int id, const QImage& image);
    void addDesign(std::string_view name, const QImage& image);
    std::vector<uint8_t> finish() const { return pack_.finish(); }

  private:
    resources::PicturePackWriter pack_;
};

void drawCards(PictureSet& set);
void drawButtons(PictureSet& set);
void drawFigures(PictureSet& set);
void drawDesigns(PictureSet& set);

}  // namespace picgen
