#pragma once
// A growable array of pointers, and a typed list on top of it that owns and
// deletes what it holds.
#include <cstddef>

class PtrArray {
public:
    explicit PtrArray(int growBy = 0) : growBy_(growBy < 0 ? 0 : growBy) {}
    ~PtrArray();
    PtrArray(const PtrArray&) = delete;
    PtrArray& operator=(const PtrArray&) = delete;

    // A larger count zero-fills the new slots; 0 frees the storage. False (array
    // unchanged) for a negative count or when memory runs out.
    bool SetCount(int count);
    bool Append(void* item);
    void* At(int index) const { return index >= 0 && index < count_ ? data_[index] : nullptr; }
    void Set(int index, void* item) { if (index >= 0 && index < count_) data_[index] = item; }
    // Closes the gap; the pointer itself is the caller's to delete.
    void* Remove(int index);
    int Count() const { return count_; }
    int Capacity() const { return capacity_; }

    // The capacity an array of count items grows to when requested slots are wanted.
    static int GrownCapacity(int capacity, int count, int requested, int growBy);

private:
    void** data_ = nullptr;
    int count_ = 0;
    int capacity_ = 0;
    int growBy_;
};

template <typename T>
class OwnedList {
public:
    explicit OwnedList(int growBy = 0) : items_(growBy) {}
    ~OwnedList() { Clear(); }
    OwnedList(const OwnedList&) = delete;
    OwnedList& operator=(const OwnedList&) = delete;

    // Takes ownership; deletes the item when it cannot be stored.
    bool Append(T* item) {
        if (items_.Append(item)) return true;
        delete item;
        return false;
    }
    T* At(int index) const { return static_cast<T*>(items_.At(index)); }
    int Count() const { return items_.Count(); }
    void Delete(int index) { delete static_cast<T*>(items_.Remove(index)); }
    // Last first, so that later items never outlive what they may point at.
    void Clear() {
        for (int i = items_.Count() - 1; i >= 0; --i) delete static_cast<T*>(items_.At(i));
        items_.SetCount(0);
    }
private:
    PtrArray items_;
};
