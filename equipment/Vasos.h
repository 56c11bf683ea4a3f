// Beakers, Erlenmeyer flask of 100 ml, cylinders, test tube, watch glass and crucible:
// plain vessels that differ only in their size, capacity and level of contents.
#pragma once

#include "equipment/Recipiente.h"

class CVaso100 : public CRecipiente {
public:
    CVaso100();
    int32_t GetLevelY(double v) override;
};

class CVaso250 : public CRecipiente {
public:
    CVaso250();
    int32_t GetLevelY(double v) override;
};

class CVaso600 : public CRecipiente {
public:
    CVaso600();
    int32_t GetLevelY(double v) override;
};

class CErlenmeyer100 : public CRecipiente {
public:
    CErlenmeyer100();
    int32_t GetLevelY(double v) override;
};

class CProbeta10 : public CRecipiente {
public:
    CProbeta10();
    int32_t GetLevelY(double v) override;
};

class CProbeta100 : public CRecipiente {
public:
    CProbeta100();
    int32_t GetLevelY(double v) override;
};

class CTuboEnsaye : public CRecipiente {
public:
    CTuboEnsaye();
    int32_t GetLevelY(double v) override;
};

class CVidrioReloj : public CRecipiente {
public:
    CVidrioReloj();
    int32_t GetLevelY(double v) override;
};

class CCrisol : public CRecipiente {
public:
    CCrisol();
    int32_t GetLevelY(double v) override;
};
