#include "engine/graphics/light.h"

#include "engine/graphics/engine_log.h"

namespace vuzed {

TVZLight::TVZLight(TDovivez* device, uint32_t index) : Device_(device), Index_(index) {}

void TVZLight::Send() {
  if (ApplyAtOnce && Device_) Device_->Backend().SetLight(Index_, Light_);
}

void TVZLight::SetEnabled(bool enabled) {
  Enabled_ = enabled;
  if (!Device_) return;
  Device_->Backend().SetLight(Index_, Light_);
  Device_->Backend().LightEnable(Index_, enabled);
}

void TVZLight::SetDiffuse(float r, float g, float b) {
  Light_.Diffuse = TColorValue{r, g, b, 1.0f};
  Send();
}

void TVZLight::SetSpecular(float r, float g, float b) {
  Light_.Specular = TColorValue{r, g, b, 1.0f};
  Send();
}

void TVZLight::SetAmbient(float r, float g, float b) {
  Light_.Ambient = TColorValue{r, g, b, 1.0f};
  Send();
}

void TVZLight::SetDirection(const TVector& v) {
  Light_.Type = D3DLight::Directional;
  Light_.Direction = v;
  Send();
}

TVZLightGroup::TVZLightGroup(TDovivez* device, std::string name, int count)
    : TDeviceResource(device, "TVZLightGroup", std::move(name)) {
  for (int i = 0; i < count; ++i) Lights_.push_back(std::make_unique<TVZLight>(device, uint32_t(i)));
}

TVZLightGroup::~TVZLightGroup() = default;

TVZLight* TVZLightGroup::Items(int i) {
  if (i < 0 || i >= Count()) {
    WriteLog(Log(), "TVZLightGroup @ VZLib: 範囲外のライトを参照しようとしました");
    return nullptr;
  }
  return Lights_[size_t(i)].get();
}

void TVZLightGroup::Reapply() {
  for (auto& light : Lights_)
    if (light->Enabled()) light->SetEnabled(true);
}

}  // namespace vuzed
