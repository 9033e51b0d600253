#pragma once

// The doubly linked chains of the core and the framework (blocks of the stores, block lists,
// listeners, document items, plugins, documents, views, draw objects, pagettes) keep their links
// inside their elements. `Prev` and `Next` name the two link members; `head` (and `tail`, where a
// chain keeps one) is the owner's pointer to its first (and last) element.

// Puts the element in front of the chain.
template <auto Prev, auto Next, class Element>
void linkAtFront(Element*& head, Element* element)
{
    element->*Prev = nullptr;
    element->*Next = head;
    if (head != nullptr)
        head->*Prev = element;
    head = element;
}

// Puts the element behind `predecessor`, or in front when that is null.
template <auto Prev, auto Next, class Element>
void linkBehind(Element*& head, Element*& tail, Element* predecessor, Element* element)
{
    element->*Prev = predecessor;
    element->*Next = predecessor != nullptr ? predecessor->*Next : head;
    if (element->*Next != nullptr)
        (element->*Next)->*Prev = element;
    else
        tail = element;
    if (predecessor != nullptr)
        predecessor->*Next = element;
    else
        head = element;
}

// Takes an element of the chain out of it and clears its links. An element without a previous one
// that is not the head (in no chain) is left alone apart from its links.
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

// The same for a chain that keeps its last element too.
template <auto Prev, auto Next, class Element>
void unlinkFrom(Element*& head, Element*& tail, Element* element)
{
    if (element->*Next == nullptr && tail == element)
        tail = element->*Prev;
    unlinkFrom<Prev, Next>(head, element);
}
