#include "settings/CountryTable.h"

const std::array<CountryEntry, kCountryCount> g_CountryTable{{
    {"Albania", 8}, {"Algeria", 12}, {"Argentina", 32}, {"Armenia", 51}, {"Australia", 36}, {"Austria", 40},
    {"Azerbaijan", 31}, {"Bahrain", 48}, {"Belarus", 112}, {"Belgium", 56}, {"Belize", 84}, {"Bolivia", 68},
    {"Brazil", 76}, {"Brunei_Darussalam", 96}, {"Bulgaria", 100}, {"Canada", 124}, {"Chile", 152},
    {"China", 156}, {"Colombia", 170}, {"Costa_Rica", 188}, {"Croatia", 191}, {"Cyprus", 196}, {"Czech", 203},
    {"Denmark", 208}, {"Dominican_Republic", 214}, {"Ecuador", 218}, {"Egypt", 818}, {"El_Salvador", 222},
    {"Estonia", 233}, {"Faeroe_Islands", 234}, {"Finland", 246}, {"France", 250}, {"France2", 255},
    {"Georgia", 268}, {"Germany", 276}, {"Greece", 300}, {"Guatemala", 320}, {"Honduras", 340},
    {"Hong_Kong", 344}, {"Hungary", 348}, {"Iceland", 352}, {"India", 356}, {"Indonesia", 360}, {"Iran", 364},
    {"Iraq", 368}, {"Ireland", 372}, {"Israel", 376}, {"Italy", 380}, {"Jamaica", 388}, {"Japan", 392},
    {"Japan1", 393}, {"Japan0", 394}, {"Japan3", 395}, {"Japan4", 396}, {"Japan5", 397}, {"Japan6", 399},
    {"Jordan", 400}, {"Kazakhstan", 398}, {"Kenya", 404}, {"North_Korea", 408}, {"South_Korea", 410},
    {"South_Korea", 411}, {"Kuwait", 414}, {"Latvia", 428}, {"Lebanon", 422}, {"Libya", 434},
    {"Liechtenstein", 438}, {"Lithuania", 440}, {"Luxembourg", 442}, {"Macau", 446}, {"Macedonia", 807},
    {"Malaysia", 458}, {"Malta", 470}, {"Mexico", 484}, {"Monaco", 492}, {"Morocco", 504},
    {"Netherlands", 528}, {"New_Zealand", 554}, {"Nicaragua", 558}, {"Norway", 578}, {"Oman", 512},
    {"Pakistan", 586}, {"Panama", 591}, {"Paraguay", 600}, {"Peru", 604}, {"Philippines", 608},
    {"Poland", 616}, {"Portugal", 620}, {"Puerto_Rico", 630}, {"Qatar", 634}, {"Romania", 642},
    {"Russia", 643}, {"Saudi_Arabia", 682}, {"Singapore", 702}, {"Slovak", 703}, {"Slovenia", 705},
    {"South_Africa", 710}, {"Spain", 724}, {"Sweden", 752}, {"Switzerland", 756}, {"Syria", 760},
    {"Taiwan", 158}, {"Thailand", 764}, {"Trinidad_y_Tobago", 780}, {"Tunisia", 788}, {"TurKey", 794},
    {"UAE", 784}, {"Ukraine", 804}, {"nited_Kingdom", 826}, {"United_States", 840}, {"Uruguay", 858},
    {"Uzbekistan", 860}, {"Venezuela", 862}, {"Viet_Nam", 704}, {"Yemen", 887}, {"Zimbabwe", 716},
}};

std::optional<int> CountryCodeAt(int index) {
  if (index < 0 || index >= kCountryCount) return std::nullopt;
  return g_CountryTable[static_cast<std::size_t>(index)].code;
}
