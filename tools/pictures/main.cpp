// vuzed-pictures DATA_DIR [ICON_DIR]: writes every picture the game loads,
// and the meshes of the 3D stage backgrounds, into DATA_DIR/Graphic/; with
// ICON_DIR also the desktop icon, into ICON_DIR/hicolor/<size>/apps/. The output
// depends on nothing but this program and the font face: the same bytes on
// every run.
#include <cstdio>
#include <exception>

#include "families.h"

int main(int argc, char** argv) {
  using namespace vuzed::pictures;
  if (argc != 2 && argc != 3) {
    std::fprintf(stderr, "usage: vuzed-pictures DATA_DIR [ICON_DIR]\n");
    return 2;
  }
  try {
    PictureWriter out(argv[1]);
    const TextRenderer text;
    WritePlayerPictures(out);
    WriteBulletPictures(out);
    WriteEffectPictures(out);
    WriteEnemyPictures(out);
    WriteBossPictures(out);
    WritePortraits(out);
    WriteHudPictures(out, text);
    WritePanelPictures(out, text);
    WriteMenuPictures(out, text);
    WriteLogoPictures(out, text);
    WriteScreenBackgrounds(out, text);
    WriteTiles(out);
    WriteBackgroundMeshes(out);
    WriteBackgroundTextures(out);
    std::fprintf(stderr, "pictures: %d files, %llu bytes\n", out.FilesWritten(),
                 static_cast<unsigned long long>(out.BytesWritten()));
    if (argc == 3) {
      PictureWriter icons(argv[2]);
      WriteIcons(icons);
      std::fprintf(stderr, "pictures: %d icons\n", icons.FilesWritten());
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "pictures: %s\n", e.what());
    return 1;
  }
  return 0;
}
