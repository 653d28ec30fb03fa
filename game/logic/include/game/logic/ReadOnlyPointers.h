#pragma once

#include <cstddef>
#include <vector>

namespace Sarna
{

/// A read-only view of a vector of pointers, whose elements come out as pointers to const: what an owner lends for
/// looking at the objects it owns, without letting them be changed, deleted or the vector rearranged. It refers to
/// the vector, so it is valid only while the vector lives unchanged.
template <typename T>
class ReadOnlyPointers
{
public:
    class Iterator
    {
    public:
        explicit Iterator(typename std::vector<T*>::const_iterator at) : position(at) {}
        const T* operator*() const { return *position; }
        Iterator& operator++()
        {
            ++position;
            return *this;
        }
        bool operator!=(const Iterator& other) const { return position != other.position; }

    private:
        typename std::vector<T*>::const_iterator position;
    };

    explicit ReadOnlyPointers(const std::vector<T*>& pointers) : items(pointers) {}

    Iterator begin() const { return Iterator(items.begin()); }
    Iterator end() const { return Iterator(items.end()); }
    std::size_t size() const { return items.size(); }
    bool empty() const { return items.empty(); }
    const T* at(std::size_t index) const { return items.at(index); }

private:
    const std::vector<T*>& items;
};

} // namespace Sarna
