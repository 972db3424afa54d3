// vuzed-pictures DATA_DIR: writes every picture the game loads, and the
// meshes of the 3D stage backgrounds, into DATA_DIR/Graphic/. The output
// depends on nothing but this program and the font face: the same bytes on
// every run.
#include <cstdio>
#include <exception>

#include "families.h"

int main(int argc, char** argv) {
  using namespace vuzed::pictures;
  if (argc != 2) {
    std::fprintf(stderr, "usage: vuzed-pictures DATA_DIR\n");
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
  } catch (const std::exception& e) {
    std::fprintf(stderr, "pictures: %s\n", e.what());
    return 1;
  }
  return 0;
}
