#pragma once
#include <QtGlobal>
#include <initializer_list>
#include <random>
#include <utility>
#include <vector>

namespace demo {

// Random choices. Only the raw output of std::mt19937 is used (fixed by the standard), turned
// into ranges by multiply-shift, so that a seed gives the same data with any library.

class Caso
{
public:
    explicit Caso(quint32 seed) : g(seed) {}

    // A whole number from lo to hi, both included.
    int tra(int lo, int hi)
    {
        const quint64 ampiezza = quint64(qint64(hi) - lo + 1);
        return int(qint64(lo) + qint64((quint64(g()) * ampiezza) >> 32));
    }
    bool percento(int p) { return tra(0, 99) < p; }

    template <class C> const auto& uno(const C& c)
    {
        return c[size_t(tra(0, int(std::size(c)) - 1))];
    }

    // The position of the weight chosen, each position with probability weight / total.
    int pesato(std::initializer_list<int> pesi) { return pesato(std::vector<int>(pesi)); }
    int pesato(const std::vector<int>& pesi)
    {
        int totale = 0;
        for (int p : pesi)
            totale += p;
        int r = tra(0, totale - 1);
        for (size_t i = 0; i < pesi.size(); ++i) {
            if (r < pesi[i])
                return int(i);
            r -= pesi[i];
        }
        return int(pesi.size()) - 1;
    }

    template <class T> void mescola(std::vector<T>& v)
    {
        for (int i = int(v.size()) - 1; i > 0; --i)
            std::swap(v[size_t(i)], v[size_t(tra(0, i))]);
    }

private:
    std::mt19937 g;
};

} // namespace demo
