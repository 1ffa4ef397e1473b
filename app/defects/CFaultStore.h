#pragma once
// The defect database of the open task. Only its closed state exists so far;
// opening, queries and changes come with the defect store.

class CFaultStore
{
public:
    bool IsOpen() const { return false; }
    void Close() {}
};
