#pragma once
// One function per family of pictures; each writes its whole family.

#include "picture_writer.h"
#include "text.h"

namespace vuzed::pictures {

void WritePlayerPictures(PictureWriter& out);
void WriteBulletPictures(PictureWriter& out);
void WriteEnemyPictures(PictureWriter& out);
void WriteBossPictures(PictureWriter& out);
void WritePortraits(PictureWriter& out);
void WriteEffectPictures(PictureWriter& out);
void WriteHudPictures(PictureWriter& out, const TextRenderer& text);
void WritePanelPictures(PictureWriter& out, const TextRenderer& text);
void WriteMenuPictures(PictureWriter& out, const TextRenderer& text);
void WriteLogoPictures(PictureWriter& out, const TextRenderer& text);
void WriteScreenBackgrounds(PictureWriter& out, const TextRenderer& text);
void WriteTiles(PictureWriter& out);
// The 3D stage backgrounds: meshes and their textures, in Graphic/VZ/.
void WriteBackgroundMeshes(PictureWriter& out);
void WriteBackgroundTextures(PictureWriter& out);
// The desktop icon at every size, below an icon folder (not the data folder).
void WriteIcons(PictureWriter& out);

}  // namespace vuzed::pictures
