#pragma once

// The doubly linked chains of the framework (plugins, documents, views, draw objects, pagettes)
// keep their links inside their elements. `Prev` and `Next` name the two link members.

template <auto Prev, auto Next, class Element>
void linkAtFront(Element*& head, Element* element)
{
    element->*Prev = nullptr;
    element->*Next = head;
    if (head != nullptr)
        head->*Prev = element;
    head = element;
}

// Takes an element of the chain out of it and clears its links.
template <auto Prev, auto Next, class Element>
void unlinkFrom(Element*& head, Element* element)
{
    Element* previous = element->*Prev;
    Element* following = element->*Next;
    if (previous != nullptr)
        previous->*Next = following;
    else if (head == element)
        head = following;
    if (following != nullptr)
        following->*Prev = previous;
    element->*Prev = nullptr;
    element->*Next = nullptr;
}
