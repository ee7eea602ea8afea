#pragma once

class Dataset;

// Adds doubles with Neumaier's compensation, so that a million amounts of
// 999.95 come to exactly 999950000.
class CompensatedSum {
public:
    void add(double value);
    double result() const { return sum + compensation; }

private:
    double sum = 0;
    double compensation = 0;
};

// The total of the "money" column over every row of the dataset, from its
// first row to its end, each amount read with the number text rule. Leaves
// the dataset past its last row. Throws on a closed dataset or a bad amount.
double moneySum(Dataset& dataset);
