#pragma once
#include <algorithm>
#include <cstdint>
#include <iterator>
#include <stdexcept>
#include <utility>
#include <vector>

// The container used at every level of the measurement store.
//
// Elements live in `slots`, which only grows; `order` holds slot numbers sorted by key and a
// position in `order` is the element's index (what dialogs, combo boxes and the selection use).
// Removed slots are cleared and kept on the `freeSlots` stack for the next insert.
//
// T provides:
//   using Key = ...;
//   Key key() const;                  (or a const reference)
//   void setKey(const Key&);
//   static int compareKey(const Key&, const Key&);   <0, 0, >0
// and a default-constructed T is the empty element.
template <class T> class SortedSlotArray {
public:
    using value_type = T;
    using Key = typename T::Key;

    int count() const { return static_cast<int>(m_order.size()); }
    bool empty() const { return m_order.empty(); }

    // An index outside 0 .. count-1 is a programming error.
    T& at(int index) { return m_slots[static_cast<std::size_t>(slotOf(index))]; }
    const T& at(int index) const { return m_slots[static_cast<std::size_t>(slotOf(index))]; }
    T& operator[](int index) { return at(index); }
    const T& operator[](int index) const { return at(index); }

    // Index of the element with this key, or -1.
    int find(const Key& key) const {
        bool found = false;
        int pos = search(key, found);
        return found ? pos : -1;
    }

    // First index whose key is not less than the given key; count() when there is none.
    int lowerBound(const Key& key) const {
        bool found = false;
        return search(key, found);
    }

    // Inserts an empty element with this key and returns its index. A key that is present
    // returns the existing index and leaves that element alone.
    int insert(const Key& key) {
        bool found = false;
        int pos = search(key, found);
        if (found)
            return pos;
        int32_t slot = takeSlot(T{});
        m_slots[static_cast<std::size_t>(slot)].setKey(key);
        m_order.insert(m_order.begin() + pos, slot);
        return pos;
    }

    // Inserts the element by its key; when the key is present the element keeps its position
    // and takes the new content (including the key text as given, e.g. a name in other case).
    int insertOrAssign(T value) {
        bool found = false;
        int pos = search(value.key(), found);
        if (found) {
            m_slots[static_cast<std::size_t>(m_order[static_cast<std::size_t>(pos)])] =
                std::move(value);
            return pos;
        }
        int32_t slot = takeSlot(std::move(value));
        m_order.insert(m_order.begin() + pos, slot);
        return pos;
    }

    // Removes the element at index; later indices move down by one. Its slot is cleared and
    // kept for reuse.
    void removeAt(int index) {
        int32_t slot = slotOf(index);
        m_order.erase(m_order.begin() + index);
        m_slots[static_cast<std::size_t>(slot)] = T{};
        m_freeSlots.push_back(slot);
    }

    // Replaces the content with n elements that readOne(T&) fills in turn (a loader; it sets
    // every field, containers included, of the element it is given). Elements that arrive in
    // strictly ascending key order, as every written file has them, are taken as they are;
    // otherwise the elements are sorted once (stably) and of equal keys the last one read is
    // kept: the result of inserting each with the insertOrAssign rule, in n log n instead of
    // shifting the order for every element. reserveAll allocates room for n at once (only when
    // n has been checked against the data that is left).
    template <class ReadOne> void assignInOrder(std::size_t n, bool reserveAll, ReadOne readOne) {
        clear();
        try {
            if (reserveAll)
                m_slots.reserve(n);
            bool ascending = true;
            for (std::size_t i = 0; i < n; ++i) {
                m_slots.emplace_back();
                readOne(m_slots.back());
                if (ascending && m_slots.size() > 1)
                    ascending =
                        T::compareKey(m_slots[m_slots.size() - 2].key(), m_slots.back().key()) < 0;
            }
            if (ascending)
                setIdentityOrder();
            else
                sortKeepingLastOfEqualKeys();
        } catch (...) {
            clear();
            throw;
        }
    }

    void clear() {
        m_slots.clear();
        m_order.clear();
        m_freeSlots.clear();
    }

    // Room for n more elements without reallocation (a loader that knows the count).
    void reserve(std::size_t n) {
        m_slots.reserve(m_slots.size() + n);
        m_order.reserve(m_order.size() + n);
    }

    // Slot bookkeeping, visible for tests.
    int32_t slotOf(int index) const {
        if (index < 0 || index >= count())
            throw std::invalid_argument("SortedSlotArray: index out of range");
        return m_order[static_cast<std::size_t>(index)];
    }
    int slotCount() const { return static_cast<int>(m_slots.size()); }
    const std::vector<int32_t>& freeSlots() const { return m_freeSlots; }

    // Iteration in index (key) order.
    template <bool Const> class Iter {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = T;
        using difference_type = std::ptrdiff_t;
        using Owner = std::conditional_t<Const, const SortedSlotArray, SortedSlotArray>;
        using reference = std::conditional_t<Const, const T&, T&>;
        using pointer = std::conditional_t<Const, const T*, T*>;
        Iter() = default;
        Iter(Owner* owner, std::size_t pos) : m_owner(owner), m_pos(pos) {}
        reference operator*() const {
            return m_owner->m_slots[static_cast<std::size_t>(m_owner->m_order[m_pos])];
        }
        pointer operator->() const { return &**this; }
        Iter& operator++() {
            ++m_pos;
            return *this;
        }
        Iter operator++(int) {
            Iter old = *this;
            ++m_pos;
            return old;
        }
        bool operator==(const Iter& other) const { return m_pos == other.m_pos; }

    private:
        Owner* m_owner = nullptr;
        std::size_t m_pos = 0;
    };
    using iterator = Iter<false>;
    using const_iterator = Iter<true>;
    iterator begin() { return iterator(this, 0); }
    iterator end() { return iterator(this, m_order.size()); }
    const_iterator begin() const { return const_iterator(this, 0); }
    const_iterator end() const { return const_iterator(this, m_order.size()); }

    // Same elements in the same index order (slot layout is not compared).
    bool operator==(const SortedSlotArray& other) const {
        if (count() != other.count())
            return false;
        for (int i = 0; i < count(); ++i)
            if (!(at(i) == other.at(i)))
                return false;
        return true;
    }

private:
    // Orders the slots of a load that came out of order. Each key keeps the slot of its first
    // element and the content of its last one (as insertOrAssign would have it); the other
    // slots are dropped, the rest keep their arrival order.
    void sortKeepingLastOfEqualKeys() {
        const std::size_t n = m_slots.size();
        std::vector<int32_t> byKey(n);
        for (std::size_t i = 0; i < n; ++i)
            byKey[i] = static_cast<int32_t>(i);
        auto keyOf = [this](int32_t slot) -> decltype(auto) {
            return m_slots[static_cast<std::size_t>(slot)].key();
        };
        std::stable_sort(byKey.begin(), byKey.end(), [&](int32_t a, int32_t b) {
            return T::compareKey(keyOf(a), keyOf(b)) < 0;
        });
        std::vector<char> kept(n, 0);
        std::vector<int32_t> firsts;
        for (std::size_t i = 0; i < n;) {
            std::size_t end = i + 1;
            while (end < n && T::compareKey(keyOf(byKey[i]), keyOf(byKey[end])) == 0)
                ++end;
            const auto first = static_cast<std::size_t>(byKey[i]);
            const auto last = static_cast<std::size_t>(byKey[end - 1]);
            if (last != first)
                m_slots[first] = std::move(m_slots[last]);
            kept[first] = 1;
            firsts.push_back(byKey[i]);
            i = end;
        }
        std::vector<int32_t> moved(n, -1);
        std::size_t write = 0;
        for (std::size_t read = 0; read < n; ++read) {
            if (!kept[read])
                continue;
            if (write != read)
                m_slots[write] = std::move(m_slots[read]);
            moved[read] = static_cast<int32_t>(write++);
        }
        m_slots.resize(write);
        m_order.clear();
        m_order.reserve(firsts.size());
        for (int32_t slot : firsts)
            m_order.push_back(moved[static_cast<std::size_t>(slot)]);
    }
    // Binary search over `order` (lo = 0, hi = count-1, mid = (lo+hi)/2). Returns the index of
    // the key when found, else the position where it belongs. Keys usually arrive in order
    // (loading, a report's lines), so the last element is tried first; the answer is the same.
    int search(const Key& key, bool& found) const {
        found = false;
        int n = count();
        if (n == 0)
            return 0;
        int c = T::compareKey(lastKey(), key);
        if (c < 0)
            return n;
        if (c == 0) {
            found = true;
            return n - 1;
        }
        int lo = 0;
        int hi = n - 2;
        while (lo <= hi) {
            int mid = (lo + hi) / 2;
            int r = T::compareKey(m_slots[static_cast<std::size_t>(m_order[mid])].key(), key);
            if (r < 0) {
                lo = mid + 1;
            } else if (r > 0) {
                hi = mid - 1;
            } else {
                found = true;
                return mid;
            }
        }
        return lo;
    }

    decltype(auto) lastKey() const {
        return m_slots[static_cast<std::size_t>(m_order.back())].key();
    }

    void setIdentityOrder() {
        m_order.resize(m_slots.size());
        for (std::size_t i = 0; i < m_order.size(); ++i)
            m_order[i] = static_cast<int32_t>(i);
    }

    int32_t takeSlot(T&& value) {
        if (!m_freeSlots.empty()) {
            int32_t slot = m_freeSlots.back();
            m_freeSlots.pop_back();
            m_slots[static_cast<std::size_t>(slot)] = std::move(value);
            return slot;
        }
        m_slots.push_back(std::move(value));
        return static_cast<int32_t>(m_slots.size() - 1);
    }

    std::vector<T> m_slots;
    std::vector<int32_t> m_order;
    std::vector<int32_t> m_freeSlots;
};
