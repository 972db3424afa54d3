#include "enemy/enemy_control.h"

namespace vuzed {

TEnemyControl::TEnemyControl(TGameContext& context) : Context_(context) {}
TEnemyControl::~TEnemyControl() = default;

void TEnemyControl::Update() {}

}  // namespace vuzed
