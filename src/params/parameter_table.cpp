#include "params/parameter_table.h"

namespace params {
namespace {

using O = rules::RenameOptions;
using K = Parameter::Kind;

Parameter Text(std::string O::*text) { return {K::Text, 0, text}; }
Parameter Flag(K kind, bool O::*flag) { return {kind, 0, nullptr, flag}; }
Parameter Choice(K kind, int count, int O::*number) { return {kind, count, nullptr, nullptr, number}; }

}  // namespace

const std::array<Parameter, kParameterCount> kParameters = {
    Choice(K::Radio, 5, &O::RenameType),        // P1
    Text(&O::AddText),                          // P2
    Text(&O::AddPosition),                      // P3
    Flag(K::Check, &O::AddFromRight),           // P4
    Text(&O::DeleteCount),                      // P5
    Text(&O::DeletePosition),                   // P6
    Flag(K::Check, &O::DeleteFromRight),        // P7
    Flag(K::Check, &O::IgnoreCase),             // P8
    Flag(K::Check, &O::SearchFromRight),        // P9
    Text(&O::SearchText),                       // P10
    Text(&O::ReplacementText),                  // P11
    Flag(K::TwoWay, &O::UseReplacement),        // P12
    Flag(K::TwoWay, &O::ReplaceAll),            // P13
    Flag(K::TwoWay, &O::DeleteAll),             // P14
    Text(&O::NthValue),                         // P15
    Choice(K::Radio, 3, &O::CaseMode),          // P16
    Choice(K::ListItem, 3, &O::NumberStyle),    // P17
    Text(&O::StartNumber),                      // P18
    Flag(K::TwoWay, &O::NumberAtLeft),          // P19
    Flag(K::Brackets, &O::AddBrackets),         // P20
    Choice(K::ListItem, 6, &O::BracketType),    // P21
};

}  // namespace params
