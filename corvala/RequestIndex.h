// What the library keeps with a request list so that building it again costs
// only what the build adds: which (keyword, device) pairs its items cover,
// and which texts its builds have read from the keyword and device lists.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "Corvala.h"

// The distinct texts of one list as a request list's builds have read it, in
// the order of their first entries.
class ReadTexts {
public:
    // Reads the entries appended to `list` since the last reading and answers
    // the position in Distinct() of the first text new to this reading. A
    // list that is not the one read last, or that changed otherwise than by
    // appending, is read again from its start (answer 0).
    size_t ReadNew(const STRINGLIST& list);
    // Views of the list's texts; valid until the list's stamp changes, which
    // the next ReadNew checks before touching them.
    const std::vector<std::string_view>& Distinct() const { return m_Distinct; }

private:
    unsigned long long m_nStamp = 0;  // of the list read; 0 before any
    size_t m_nRead = 0;               // entries read from it
    std::vector<std::string_view> m_Distinct;
    std::unordered_set<std::string_view> m_Seen;
};

struct REQUESTINDEX {
    // Appends to the list the items for every pair of a keyword and a device
    // name of the lists that it does not cover yet; answers their number.
    // Only a list of more than kKeptFrom items keeps its index between
    // builds: every block has four lists of an item or two, and their
    // indexes cost twice what the rest of the block does, while building a
    // small list from its lists again costs next to nothing.
    static int Build(HOSTINFO* record, const STRINGLIST& keywords, const STRINGLIST& deviceNames,
                     REQUESTLIST& requests);
    // Frees the items of a list and forgets its builds.
    static void Empty(REQUESTLIST& requests);

    static constexpr size_t kKeptFrom = 16;

private:
    // The index of a list: the one kept, or one made from its items.
    static REQUESTINDEX& Of(REQUESTLIST& requests);
    int BuildOnto(HOSTINFO* record, const STRINGLIST& keywords, const STRINGLIST& deviceNames, REQUESTLIST& requests);

    struct TextHash {
        using is_transparent = void;
        size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
    };
    // Views of the items' own device names.
    using DeviceSet = std::unordered_set<std::string_view>;

    int AppendMissing(HOSTINFO* record, std::string_view keyword, size_t firstDevice, REQUESTLIST& requests);

    std::unordered_map<std::string, DeviceSet, TextHash, std::equal_to<>> m_DevicesOf;
    ReadTexts m_Keywords;
    ReadTexts m_DeviceNames;
};
