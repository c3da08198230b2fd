#pragma once
// The binary search of the sorted lists of localisation entries (property names, value IDs).

namespace lang {

// Looks for a key among `Count` sorted entries; `compare(i)` is below 0 when entry i sorts
// before the key, 0 when it is the key. On a miss `Index` is where the key would be inserted.
template <class Compare>
bool FindSorted(int Count, Compare compare, int& Index) {
    int lo = 0, hi = Count - 1;
    while (lo <= hi) {
        int mid = lo + (hi - lo) / 2;
        int c = compare(mid);
        if (c < 0)
            lo = mid + 1;
        else if (c == 0) {
            Index = mid;
            return true;
        } else
            hi = mid - 1;
    }
    Index = lo;
    return false;
}

}  // namespace lang
