#include "installer/script/ptr_array.h"

#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>

PtrArray::~PtrArray() { std::free(data_); }

int PtrArray::GrownCapacity(int capacity, int count, int requested, int growBy) {
    long long step = growBy;
    if (step == 0) {
        step = count / 8;
        if (step < 4) step = 4;
        if (step > 1024) step = 1024;
    }
    long long grown = static_cast<long long>(capacity) + step;
    if (grown < requested) grown = requested;
    return grown > INT_MAX ? INT_MAX : static_cast<int>(grown);
}

bool PtrArray::SetCount(int count) {
    if (count < 0) return false;
    if (count == 0) {
        std::free(data_);
        data_ = nullptr;
        count_ = capacity_ = 0;
        return true;
    }
    if (count > capacity_) {
        int capacity = GrownCapacity(capacity_, count_, count, growBy_);
        if (static_cast<size_t>(capacity) > SIZE_MAX / sizeof(void*)) return false;
        void** grown = static_cast<void**>(std::realloc(data_, static_cast<size_t>(capacity) * sizeof(void*)));
        if (!grown) return false;
        data_ = grown;
        capacity_ = capacity;
    }
    if (count > count_) std::memset(data_ + count_, 0, static_cast<size_t>(count - count_) * sizeof(void*));
    count_ = count;
    return true;
}

bool PtrArray::Append(void* item) {
    if (count_ == INT_MAX || !SetCount(count_ + 1)) return false;
    data_[count_ - 1] = item;
    return true;
}

void* PtrArray::Remove(int index) {
    if (index < 0 || index >= count_) return nullptr;
    void* item = data_[index];
    std::memmove(data_ + index, data_ + index + 1, static_cast<size_t>(count_ - index - 1) * sizeof(void*));
    --count_;
    if (count_ == 0) SetCount(0);
    return item;
}
