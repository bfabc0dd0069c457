#include "tools/PointerTarget.h"

#include <QHash>

namespace rv {

namespace {
QHash<int, PointerTarget*>& Targets() {
  static QHash<int, PointerTarget*> targets;
  return targets;
}
}  // namespace

void RegisterPointerTarget(int toolId, PointerTarget* target) { Targets().insert(toolId, target); }

PointerTarget* FindPointerTarget(int toolId) { return Targets().value(toolId, nullptr); }

}  // namespace rv
