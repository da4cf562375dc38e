#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/Query.h"

namespace {

std::string Describe(const TResultStr& hit) {
    return hit.Left + "|" + hit.Center + "|" + hit.Right + "|" + hit.FileName;
}

std::vector<std::string> Describe(const THitList& hits) {
    std::vector<std::string> out;
    for (const TResultStr& hit : hits) out.push_back(Describe(hit));
    return out;
}

// Every slot of a row as text, so that a slot that moved or came back empty shows.
std::string Describe(const TWordArray& row) {
    std::string text;
    for (const TMyArray* part : {&row.LeftWords, &row.CenterWords, &row.RightWords})
        for (int k = 0; k < TMyArray::Size; ++k) text += std::string((*part)[k]) + "|";
    return text;
}

TWordArray Row(TTokenTable& table, const std::string& left, const std::string& center, const std::string& right) {
    TWordArray row;
    for (TMyArray* part : {&row.LeftWords, &row.CenterWords, &row.RightWords}) part->Assign(table, {});
    TQuery::SplitToArray(left, row.LeftWords, 5);  // aligned to the node, as a search does
    TQuery::SplitToArray(center, row.CenterWords, -1);
    TQuery::SplitToArray(right, row.RightWords, -1);
    return row;
}

}  // namespace

TEST(HitList, HitsReadBackAsTheyWereAddedThroughTruncationAndAppending) {
    const std::string wide(70000, 'w');  // wider than a 16-bit length
    THitList first;
    first.Add("a b", "node", "c d", "one.txt");
    first.Add("", "node", "", "one.txt");
    first.Add(wide, "x", "", "two.txt");
    EXPECT_EQ(first.size(), 3u);
    EXPECT_EQ(first.Left(2).size(), wide.size());
    EXPECT_EQ(first.FileName(2), "two.txt");

    // A hit dropped with its line leaves no text behind for the next one.
    first.Truncate(1);
    first.Add("e", "node", "f", "two.txt");
    EXPECT_EQ(Describe(first), (std::vector<std::string>{"a b|node|c d|one.txt", "e|node|f|two.txt"}));

    THitList second;
    second.Add("g", "node", "h", "two.txt");
    second.Add("i", "node", "", "three.txt");
    first.Append(second);
    EXPECT_TRUE(second.empty());
    const std::vector<std::string> all = {"a b|node|c d|one.txt", "e|node|f|two.txt", "g|node|h|two.txt",
                                          "i|node||three.txt"};
    EXPECT_EQ(Describe(first), all);
    std::vector<std::string> copied;
    for (const TResultStr& hit : first.ToArray()) copied.push_back(Describe(hit));
    EXPECT_EQ(copied, all);
    first.Truncate(0);
    EXPECT_TRUE(first.empty());
    EXPECT_EQ(first.TextBytes(), 0u);
}

TEST(WordMatrix, RowsReadBackSlotForSlot) {
    TTokenTable table = TTokenTable::WithEmptyText(), other = TTokenTable::WithEmptyText();
    other.Intern("unrelated");  // so that the same text has other ids in the two tables
    std::string sixteen;
    for (int k = 0; k < 16; ++k) sixteen += "w" + std::to_string(k) + " ";
    const std::vector<TWordArray> rows = {
        Row(table, "a b", "node", "c d e"),
        Row(table, "", "", ""),
        Row(table, "a  b", "x  y", "c  d"),  // two blanks: an empty slot between tokens
        Row(table, sixteen, sixteen, sixteen),
        Row(other, "p q", "node", "r"),  // from another table
    };
    TWordMatrix matrix;
    matrix.SetTable(table);
    for (const TWordArray& row : rows) matrix.push_back(row);
    ASSERT_EQ(matrix.size(), rows.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(Describe(matrix[i]), Describe(rows[i]));
        EXPECT_EQ(matrix[i].LeftWords.Table(), &table);
    }

    // Rows appended from a matrix over another table keep their texts.
    TWordMatrix more;
    more.SetTable(other);
    more.push_back(Row(other, "s", "node", "t u"));
    more.push_back(Row(other, "a", "node", "unrelated"));
    const std::vector<std::string> moved = {Describe(more[0]), Describe(more[1])};
    matrix.Truncate(2);
    matrix.Append(more);
    EXPECT_TRUE(more.empty());
    ASSERT_EQ(matrix.size(), 4u);
    EXPECT_EQ(Describe(matrix[0]), Describe(rows[0]));
    EXPECT_EQ(Describe(matrix[1]), Describe(rows[1]));
    EXPECT_EQ(Describe(matrix[2]), moved[0]);
    EXPECT_EQ(Describe(matrix[3]), moved[1]);
}
