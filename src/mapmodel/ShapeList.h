#pragma once
// CShapeList: an ordered list of shapes that does not own them. The document's shape list, the view's
// selection and the generator's lists are of this type; emptying one leaves its shapes alive.
#include <algorithm>
#include <cstddef>
#include <vector>

class CShape;

class CShapeList {
 public:
  using const_iterator = std::vector<CShape*>::const_iterator;
  using const_reverse_iterator = std::vector<CShape*>::const_reverse_iterator;

  void AddTail(CShape* shape) { m_Shapes.push_back(shape); }
  CShape* GetHead() const { return m_Shapes.empty() ? nullptr : m_Shapes.front(); }
  CShape* GetTail() const { return m_Shapes.empty() ? nullptr : m_Shapes.back(); }
  CShape* GetAt(std::size_t index) const { return m_Shapes.at(index); }
  std::size_t GetCount() const { return m_Shapes.size(); }
  bool IsEmpty() const { return m_Shapes.empty(); }
  bool Find(const CShape* shape) const { return std::find(m_Shapes.begin(), m_Shapes.end(), shape) != m_Shapes.end(); }
  // Takes the shape out of the list; false when it was not there.
  bool Remove(const CShape* shape) {
    auto found = std::find(m_Shapes.begin(), m_Shapes.end(), shape);
    if (found == m_Shapes.end()) return false;
    m_Shapes.erase(found);
    return true;
  }
  void RemoveAll() { m_Shapes.clear(); }

  const_iterator begin() const { return m_Shapes.begin(); }
  const_iterator end() const { return m_Shapes.end(); }
  const_reverse_iterator rbegin() const { return m_Shapes.rbegin(); }
  const_reverse_iterator rend() const { return m_Shapes.rend(); }

 private:
  std::vector<CShape*> m_Shapes;
};
