// Building a request list again and again while its keyword and device lists
// change in every way a caller can change them: each build must leave the
// list holding what one build from scratch of every list given so far would,
// in the same order, however little of the lists it reads.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "CorvalaHost.h"

namespace {

using Pair = std::pair<std::string, std::string>;

// What a build from scratch appends: for each distinct keyword in list
// order, each distinct device in list order, unless the pair is there.
class ModelList {
public:
    int Build(const STRINGLIST& keywords, const STRINGLIST& devices)
    {
        int appended = 0;
        std::vector<std::string> deviceNames = Distinct(devices);
        for (const std::string& keyword : Distinct(keywords)) {
            for (const std::string& device : deviceNames) {
                if (m_Present.insert({keyword, device}).second) {
                    m_Items.emplace_back(keyword, device);
                    ++appended;
                }
            }
        }
        return appended;
    }
    void Empty()
    {
        m_Items.clear();
        m_Present.clear();
    }
    const std::vector<Pair>& Items() const { return m_Items; }

private:
    static std::vector<std::string> Distinct(const STRINGLIST& texts)
    {
        std::vector<std::string> distinct;
        std::set<std::string> seen;
        for (const char* text : texts)
            if (text && seen.insert(text).second)
                distinct.emplace_back(text);
        return distinct;
    }

    std::vector<Pair> m_Items;
    std::set<Pair> m_Present;
};

// The items of a list from position `first` on.
std::vector<Pair> Items(const REQUESTLIST& requests, size_t first = 0)
{
    std::vector<Pair> items;
    for (size_t i = first; i < requests.size(); ++i)
        items.emplace_back(corvala::RequestKeyword(requests[i]), corvala::RequestDeviceName(requests[i]));
    return items;
}

class RequestBuildTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        a_EmptyRequestList(&m_Requests);
        for (auto* lists : {&m_Keywords, &m_Devices})
            for (std::optional<STRINGLIST>& list : *lists)
                a_EmptyStringList(&*list);
    }

    // A name from a small pool, so that names repeat; now and then a null
    // entry, which a build passes over.
    char* PoolText(const char* prefix, int poolSize)
    {
        if (Pick(12) == 0)
            return nullptr;
        return strdup((prefix + std::to_string(Pick(poolSize))).c_str());
    }

    int Pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(m_Random); }

    // One change of the kinds a caller can make to a list.
    void Change(std::optional<STRINGLIST>& list, const char* prefix, int poolSize)
    {
        STRINGLIST& texts = *list;
        switch (Pick(40)) {
        case 0:
            a_EmptyStringList(&texts);
            break;
        case 1:  // an entry replaced in place
            if (!texts.empty()) {
                size_t at = Pick(static_cast<int>(texts.size()));
                std::free(texts[at]);
                texts[at] = PoolText(prefix, poolSize);
            }
            break;
        case 2:  // an entry taken out
            if (!texts.empty()) {
                size_t at = Pick(static_cast<int>(texts.size()));
                std::free(texts[at]);
                texts.erase(texts.begin() + static_cast<long>(at));
            }
            break;
        case 3:  // another list in the same place, as long as the old one
        {
            size_t size = texts.size();
            a_EmptyStringList(&texts);
            list.reset();
            list.emplace();
            for (size_t i = 0; i < size; ++i)
                list->push_back(PoolText(prefix, poolSize));
            break;
        }
        default:
            list->push_back(PoolText(prefix, poolSize));
            break;
        }
    }

    std::mt19937 m_Random{20261206};
    HOSTINFO m_Record;
    std::optional<STRINGLIST> m_Keywords[2] = {STRINGLIST(), STRINGLIST()};
    std::optional<STRINGLIST> m_Devices[2] = {STRINGLIST(), STRINGLIST()};
    REQUESTLIST m_Requests;
};

}  // namespace

TEST_F(RequestBuildTest, EveryBuildEndsWhereABuildFromScratchWould)
{
    ModelList model;
    size_t nMostItems = 0;
    for (int step = 0; step < 2000; ++step) {
        // Mostly the lists of the last build, sometimes the other pair.
        int keywordList = Pick(8) == 0 ? 1 : 0;
        int deviceList = Pick(8) == 0 ? 1 : 0;
        if (Pick(4) == 0)
            Change(m_Keywords[keywordList], "K", 5);
        else
            Change(m_Devices[deviceList], "dev", 200);
        if (Pick(300) == 0) {
            a_EmptyRequestList(&m_Requests);
            model.Empty();
        }
        int expected = model.Build(*m_Keywords[keywordList], *m_Devices[deviceList]);
        ASSERT_EQ(a_BuildRequestList(&m_Record, &*m_Keywords[keywordList], &*m_Devices[deviceList], &m_Requests),
                  expected)
            << "step " << step;
        // Items are only ever appended, so the new ones are compared; the
        // whole list now and then.
        size_t first = step % 100 == 0 ? 0 : model.Items().size() - static_cast<size_t>(expected);
        ASSERT_EQ(Items(m_Requests, first),
                  std::vector<Pair>(model.Items().begin() + static_cast<long>(first), model.Items().end()))
            << "step " << step;
        nMostItems = std::max(nMostItems, model.Items().size());
    }
    EXPECT_GT(nMostItems, 200u) << "the lists grew enough to matter";
}

// The case a build that reads only new entries could miss: the device list
// emptied and filled again with as many names, at the same addresses.
TEST_F(RequestBuildTest, AListEmptiedAndFilledAgainIsReadAgain)
{
    STRINGLIST& keywords = *m_Keywords[0];
    STRINGLIST& devices = *m_Devices[0];
    keywords.push_back(strdup("TEProcs"));
    devices.push_back(strdup("Amp"));
    ASSERT_EQ(a_BuildRequestList(&m_Record, &keywords, &devices, &m_Requests), 1);

    unsigned long long stamp = devices.Stamp();
    std::free(devices[0]);
    devices[0] = strdup("Mixer");
    EXPECT_NE(devices.Stamp(), stamp);
    EXPECT_EQ(a_BuildRequestList(&m_Record, &keywords, &devices, &m_Requests), 1);

    a_EmptyStringList(&devices);
    devices.push_back(strdup("Desk"));
    EXPECT_EQ(a_BuildRequestList(&m_Record, &keywords, &devices, &m_Requests), 1);
    EXPECT_EQ(Items(m_Requests),
              (std::vector<Pair>{{"TEProcs", "Amp"}, {"TEProcs", "Mixer"}, {"TEProcs", "Desk"}}));

    stamp = devices.Stamp();
    devices.push_back(strdup("Amp"));
    const STRINGLIST& readOnly = devices;
    EXPECT_STREQ(readOnly[0], "Desk");
    EXPECT_EQ(devices.Stamp(), stamp) << "appending and reading keep the stamp";
    EXPECT_EQ(a_BuildRequestList(&m_Record, &keywords, &devices, &m_Requests), 0);
}
