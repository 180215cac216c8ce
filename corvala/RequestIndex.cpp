#include "RequestIndex.h"

#include <memory>

#include "RequestItem.h"

size_t ReadTexts::ReadNew(const STRINGLIST& list)
{
    if (list.Stamp() != m_nStamp || list.size() < m_nRead) {
        // Dropped unread: the texts of the list read before may be freed.
        m_Distinct.clear();
        m_Seen.clear();
        m_nStamp = list.Stamp();
        m_nRead = 0;
    }
    size_t firstNew = m_Distinct.size();
    for (; m_nRead < list.size(); ++m_nRead) {
        const char* text = list[m_nRead];
        if (text && m_Seen.insert(text).second)
            m_Distinct.emplace_back(text);
    }
    return firstNew;
}

REQUESTINDEX& REQUESTINDEX::Of(REQUESTLIST& requests)
{
    if (!requests.m_pIndex) {
        requests.m_pIndex = std::make_unique<REQUESTINDEX>();
        for (const REQUESTITEM* item : requests.m_Items)
            requests.m_pIndex->m_DevicesOf[item->keyword].insert(item->deviceName);
    }
    return *requests.m_pIndex;
}

int REQUESTINDEX::Build(HOSTINFO* record, const STRINGLIST& keywords, const STRINGLIST& deviceNames,
                        REQUESTLIST& requests)
{
    int appended = Of(requests).BuildOnto(record, keywords, deviceNames, requests);
    if (requests.m_Items.size() <= kKeptFrom)
        requests.m_pIndex.reset();
    return appended;
}

void REQUESTINDEX::Empty(REQUESTLIST& requests)
{
    for (REQUESTITEM* item : requests.m_Items)
        delete item;
    requests.m_Items.clear();
    requests.m_pIndex.reset();
}

// Every pair of a keyword and a device read before is covered already, so
// the keywords read before need only the devices new to this build, and the
// new keywords need all of them. The order is the one a build from scratch
// would give: keyword by keyword, each one's devices in list order.
int REQUESTINDEX::BuildOnto(HOSTINFO* record, const STRINGLIST& keywords, const STRINGLIST& deviceNames,
                            REQUESTLIST& requests)
{
    size_t firstNewKeyword = m_Keywords.ReadNew(keywords);
    size_t firstNewDevice = m_DeviceNames.ReadNew(deviceNames);
    const std::vector<std::string_view>& keywordTexts = m_Keywords.Distinct();
    const size_t nDevices = m_DeviceNames.Distinct().size();
    int appended = 0;
    for (size_t i = 0; i < keywordTexts.size(); ++i) {
        size_t firstDevice = i < firstNewKeyword ? firstNewDevice : 0;
        if (firstDevice < nDevices)
            appended += AppendMissing(record, keywordTexts[i], firstDevice, requests);
    }
    return appended;
}

int REQUESTINDEX::AppendMissing(HOSTINFO* record, std::string_view keyword, size_t firstDevice,
                                REQUESTLIST& requests)
{
    auto found = m_DevicesOf.find(keyword);
    if (found == m_DevicesOf.end())
        found = m_DevicesOf.emplace(std::string(keyword), DeviceSet()).first;
    DeviceSet& present = found->second;
    const std::vector<std::string_view>& deviceTexts = m_DeviceNames.Distinct();
    int appended = 0;
    for (size_t i = firstDevice; i < deviceTexts.size(); ++i) {
        if (present.contains(deviceTexts[i]))
            continue;
        std::unique_ptr<REQUESTITEM> item(new REQUESTITEM{std::string(keyword), std::string(deviceTexts[i]), record});
        requests.m_Items.push_back(item.get());
        present.insert(item.release()->deviceName);
        ++appended;
    }
    return appended;
}
