#include "mapmodel/ShapeClassRegistry.h"

#include "mapmodel/ApShape.h"
#include "mapmodel/ConnectorTwistShape.h"
#include "mapmodel/HostGroupShape.h"
#include "mapmodel/RouterShape.h"
#include "mapmodel/SwitchShape.h"
#include "mapmodel/UnknownShape.h"

namespace {

template <typename Shape>
void Add(CShapeClassRegistry& registry) {
  registry.Register(Shape().GetClassName(), [] { return std::make_unique<Shape>(); });
}

}  // namespace

void CShapeClassRegistry::Register(const std::string& className, Factory factory) {
  m_Factories[className] = std::move(factory);
}

std::unique_ptr<CShape> CShapeClassRegistry::Create(const std::string& className) const {
  auto found = m_Factories.find(className);
  return found == m_Factories.end() ? nullptr : found->second();
}

const CShapeClassRegistry& CShapeClassRegistry::MapShapes() {
  static const CShapeClassRegistry registry = [] {
    CShapeClassRegistry shapes;
    Add<CShape>(shapes);
    Add<CDeviceShape>(shapes);
    Add<CApShape>(shapes);
    Add<CSwitchShape>(shapes);
    Add<CRouterShape>(shapes);
    Add<CHostGroupShape>(shapes);
    Add<CUnknownShape>(shapes);
    Add<CConnectorShape>(shapes);
    Add<CConnectorTwistShape>(shapes);
    return shapes;
  }();
  return registry;
}
