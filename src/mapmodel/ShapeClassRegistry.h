#pragma once
// The classes a map archive may name, each made by its default constructor when loaded.
#include <functional>
#include <map>
#include <memory>
#include <string>

class CShape;

class CShapeClassRegistry {
 public:
  using Factory = std::function<std::unique_ptr<CShape>()>;

  void Register(const std::string& className, Factory factory);
  // A new shape of the class; none for a class not registered.
  std::unique_ptr<CShape> Create(const std::string& className) const;

  // The nine shape classes of the map.
  static const CShapeClassRegistry& MapShapes();

 private:
  std::map<std::string, Factory> m_Factories;
};
