#ifndef RIMODISPLAYINTERFACE_H
#define RIMODISPLAYINTERFACE_H

// Marker class of the library; it carries no state.
class Rimodisplayinterface
{
public:
    Rimodisplayinterface();
};

#endif // RIMODISPLAYINTERFACE_H
