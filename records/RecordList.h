// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "records/RecordData.h"

#include <vector>

namespace miminomi {

/// The records of the record file in file order, oldest first.
class RecordList {
public:
    void Add(RecordData record) { records.push_back(std::move(record)); }

    const std::vector<RecordData> &items() const { return records; }

private:
    std::vector<RecordData> records;
};

} // namespace miminomi
