#include "back/texture_list.h"

#include <atomic>
#include <cstdio>
#include <string>

#include "engine/graphics/device.h"
#include "game/game_context.h"

namespace vuzed {
namespace {

constexpr const char* kGraphicFolder = "data\\Graphic";
constexpr const char* kTitlePath = "data\\Graphic\\Other\\12.bmp";

std::string PicturePath(const TPictureTableInfo& info, int number) {
  return std::string(info.Folder) + std::to_string(number) + ".bmp";
}

}  // namespace

const std::array<TPictureTableInfo, kPictureTableCount> kPictureTables{{
    {TPictureTable::Player, "data\\Graphic\\Player\\", 11, MakeColor(255, 255, 0, 255)},
    {TPictureTable::Bullet, "data\\Graphic\\Bullet\\", 130, MakeColor(255, 0, 0, 0)},
    {TPictureTable::SmallEnemy, "data\\Graphic\\Enemy\\small\\", 4, MakeColor(255, 255, 255, 255)},
    {TPictureTable::Boss, "data\\Graphic\\Enemy\\boss\\", 30, MakeColor(255, 255, 255, 255)},
    {TPictureTable::Else, "data\\Graphic\\Else\\", 80, MakeColor(255, 255, 0, 255)},
    {TPictureTable::Effect, "data\\Graphic\\Effect\\", 11, MakeColor(255, 255, 0, 255)},
    {TPictureTable::Back, "data\\Graphic\\Back\\", 61, MakeColor(255, 255, 0, 255)},
}};

TTextureList::TTextureList(TGameContext& context) : Context_(context) {
  if (Context_.Files.Exists(kTitlePath))
    Title_ = LoadPicture(Context_, kTitlePath, 0, MakeColor(255, 0, 0, 0));
  else
    TitleMissing_ = Context_.Files.Exists(kGraphicFolder);
  EnterPlayfield(Context_.Textures, this);
}

TTextureList::~TTextureList() { LeavePlayfield(Context_.Textures, this); }

std::unique_ptr<TMXTexture> TTextureList::LoadPicture(TGameContext& context, const std::string& gamePath,
                                                      uint32_t fillColor, uint32_t key) {
  auto texture = std::make_unique<TMXTexture>(context.Dovivez1.get(), GameTextureFormats(), 0,
                                              d3d::POOL_MANAGED, 0, "");
  texture->SetFillColor(fillColor);
  auto file = context.Files.Resolve(gamePath);
  texture->LoadFromFile(file ? file->string() : gamePath);
  // A file that could not be read even for its size has nothing to show: its
  // slot stays empty. One whose size was read keeps its fill colour where the
  // picture failed.
  if (!texture->HasTexture()) return nullptr;
  texture->SetColorKey(TRect{0, 0, texture->Width(), texture->Height()}, key);
  return texture;
}

void TTextureList::LoadTables() {
  // Numbered across every list of the process, so a drawer that meets
  // another list never takes its pointer for one of this list's.
  static std::atomic<uint32_t> lastGeneration{0};
  Generation_ = ++lastGeneration;
  const bool graphicFolder = Context_.Files.Exists(kGraphicFolder);
  for (const TPictureTableInfo& info : kPictureTables) {
    auto& slots = Tables_[size_t(info.Table)];
    auto& missing = Missing_[size_t(info.Table)];
    slots.clear();
    slots.resize(size_t(info.LastNumber) + 1);
    missing.assign(slots.size(), false);
    for (int n = 0; n <= info.LastNumber; ++n) {
      std::string path = PicturePath(info, n);
      if (!Context_.Files.Exists(path)) {
        missing[size_t(n)] = graphicFolder;
        continue;
      }
      slots[size_t(n)] = LoadPicture(Context_, path, MakeColor(0, 255, 255, 255), info.Key);
    }
  }
}

void TTextureList::ReportMissingPicture(const std::string& gamePath) const {
  std::string shown = gamePath;
  for (char& c : shown)
    if (c == '\\') c = '/';
  const std::string message = shown + ": the picture file is missing";
  std::fprintf(stderr, "%s\n", message.c_str());
  if (Context_.Dovivez1) Context_.Dovivez1->Log().WriteLog(message);
}

TMXTexture* TTextureList::Get(TPictureTable table, int number) const {
  const auto& slots = Tables_[size_t(table)];
  if (number < 0 || size_t(number) >= slots.size()) return nullptr;
  std::vector<bool>& missing = Missing_[size_t(table)];
  if (missing[size_t(number)]) {
    missing[size_t(number)] = false;
    for (const TPictureTableInfo& info : kPictureTables)
      if (info.Table == table) ReportMissingPicture(PicturePath(info, number));
  }
  return slots[size_t(number)].get();
}

TMXTexture* TTextureList::TitleTexture() const {
  if (TitleMissing_) {
    TitleMissing_ = false;
    ReportMissingPicture(kTitlePath);
  }
  return Title_.get();
}

int TTextureList::SlotCount(TPictureTable table) const { return int(Tables_[size_t(table)].size()); }

}  // namespace vuzed
