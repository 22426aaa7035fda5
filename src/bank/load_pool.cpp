#include "bank/load_pool.h"

namespace pathwick {

void LoadPool(int subelement, QuestionPool& pool, const PoolEdition& edition) {
    int item = 0;
    for (int row = 1; row <= pool.lastRow(); ++row) {
        for (int field = 1; field <= kFieldsPerQuestion; ++field) {
            ++item;
            std::string& cell = pool.cell(row, field);
            cell = edition.item(subelement, item);
            if (cell == "ENDofPOOL") {
                pool.cell(0, kCountField) = numberText(row - 1);
                return;
            }
        }
    }
}

int SubelementNamedBy(std::string_view id) {
    if (id.size() < 2 || id[1] < '0' || id[1] > '9') return -1;
    return id[1] - '0';
}

}  // namespace pathwick
