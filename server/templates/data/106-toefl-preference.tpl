# Pennova writing template (our own text)
id: 106
kind: high
category: 考试作文|Exam essays CET IELTS TOEFL
name: 托福独立写作：二选一|TOEFL-style essay, choosing between two options
description: 适用于托福独立写作中“两种做法你更喜欢哪一种”的题型。开头表明选择，中间用两个理由和亲身经历支持，结尾总结。
title: [标题中的选择，如 Studying Alone] or [标题中的另一选择，如 Studying in a Group]? || [标题中的选择，如 Studying Alone]还是[标题中的另一选择，如 Studying in a Group]？

[block]
When it comes to [话题，如 how to prepare for exams], people have different preferences. || 说到[话题，如 how to prepare for exams]，人们有不同的偏好。
Some prefer [另一选择，如 studying in a group], while others prefer [选择，如 studying alone]. || 有人喜欢[另一选择，如 studying in a group]，也有人喜欢[选择，如 studying alone]。
As far as I am concerned, [选择，如 studying alone] is the better choice. || 就我而言，[选择，如 studying alone]是更好的选择。
[alternative]
People often ask me whether I prefer [选择，如 studying alone] or [另一选择，如 studying in a group]. || 人们常问我更喜欢[选择，如 studying alone]还是[另一选择，如 studying in a group]。
My answer is always [选择，如 studying alone], and here is why. || 我的回答总是[选择，如 studying alone]，原因如下。

[block]
First, [理由，如 I can focus better when nobody talks to me]. || 首先，[理由，如 I can focus better when nobody talks to me]。
For example, [细节，如 I can plan my time freely and work on the parts I find difficult]. || 例如，[细节，如 I can plan my time freely and work on the parts I find difficult]。

[block]
Second, [理由，如 it helps me become more independent]. || 其次，[理由，如 it helps me become more independent]。
I remember that [经历，如 I prepared for my final exam by myself last year]. || 我记得[经历，如 I prepared for my final exam by myself last year]。
That experience taught me [收获，如 how to solve problems on my own]. || 那次经历教会了我[收获，如 how to solve problems on my own]。
[alternative]
Second, I have learned from my own experience. || 其次，我从自己的经历中得到了启示。
When I [经历，如 studied with friends for a test], [结果，如 we often ended up chatting]. || 当我[经历，如 studied with friends for a test]时，[结果，如 we often ended up chatting]。
Since then, I have preferred [选择，如 studying alone]. || 从那以后，我就更喜欢[选择，如 studying alone]了。

[block]
Of course, [另一选择，如 studying in a group] has its own merits. || 当然，[另一选择，如 studying in a group]也有它的好处。
But for the reasons above, I still prefer [选择，如 studying alone]. || 但基于以上理由，我还是更喜欢[选择，如 studying alone]。

[common]
Each choice has its own strengths. || 每种选择都有自己的长处。
It depends on the person and the situation. || 这取决于个人和具体情况。
I would rather spend my time on things I enjoy. || 我宁愿把时间花在我喜欢的事情上。
Let me give an example from my own life. || 让我举一个我自己生活中的例子。
This is why I think my choice makes more sense. || 这就是我认为我的选择更有道理的原因。
Not everyone will agree with me, of course. || 当然，并不是每个人都会同意我的观点。
This habit has saved me a lot of trouble. || 这个习惯为我省去了很多麻烦。
I learned a valuable lesson from it. || 我从中学到了宝贵的一课。
