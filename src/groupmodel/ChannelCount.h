#pragma once
// The highest radio channel the managed APs offer, read from the first managed AP when a template page
// opens: 11 when there is no managed AP or it does not answer.
int ReadChannelCount();
