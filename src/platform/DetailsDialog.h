#pragma once

#include <QString>

// The details dialog of a marker: cost, date and comments.
class DetailsDialog {
public:
    virtual ~DetailsDialog() = default;

    // Shows the details of one marker modally. objData is the marker's detail
    // string on the way in and the string to store on the way out; on OK the
    // dialog adjusts objIdTotal by the change of the cost. Closed any other
    // way it changes neither.
    virtual void ShowDetails(QString& objData, double& objIdTotal) = 0;
};
