#pragma once
// Directional lights of the scene library. A TVZLight sends itself to the
// device whenever one of its values changes; a TVZLightGroup holds lights
// 0..count-1 and sends the enabled ones again after a mode change or a reset.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/graphics/d3d_types.h"
#include "engine/graphics/device.h"

namespace vuzed {

class TVZLight {
 public:
  TVZLight(TDovivez* device, uint32_t index);

  void SetEnabled(bool enabled);
  // Colours get alpha 1.
  void SetDiffuse(float r, float g, float b);
  void SetSpecular(float r, float g, float b);
  void SetAmbient(float r, float g, float b);
  // Makes the light directional, shining along v.
  void SetDirection(const TVector& v);

  bool Enabled() const { return Enabled_; }
  uint32_t Index() const { return Index_; }
  const D3DLight& Light() const { return Light_; }
  bool ApplyAtOnce = true;  // send every change to the device straight away

 private:
  void Send();

  TDovivez* Device_;
  uint32_t Index_;
  bool Enabled_ = false;
  D3DLight Light_;
};

class TVZLightGroup : public TDeviceResource {
 public:
  TVZLightGroup(TDovivez* device, std::string name, int count);
  ~TVZLightGroup() override;

  // Light i, or nullptr (with a log line) when there is no such light.
  TVZLight* Items(int i);
  int Count() const { return int(Lights_.size()); }
  // Every enabled light is enabled again on the device.
  void Reapply();

 protected:
  void OnRebuild() override { Reapply(); }
  void OnReset() override { Reapply(); }

 private:
  std::vector<std::unique_ptr<TVZLight>> Lights_;
};

}  // namespace vuzed
